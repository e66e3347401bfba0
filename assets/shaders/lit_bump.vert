#version 120
// Slot 0: lit object with a normal map. Light and camera are taken into the
// surface's own frame (tangent space), where the map's normals apply as they are.
attribute vec3 tang;      // per triangle, along the second texture coordinate
uniform mat4 rotm;        // undoes the object's heading
uniform vec3 lpos;        // light, world
uniform vec3 cpos;        // camera, world
uniform vec4 opos;        // object position, world
varying vec2 uv;
varying vec3 toLight;
varying vec3 toCamera;

void main()
{
    gl_Position = ftransform();
    uv = gl_MultiTexCoord0.st;
    vec3 p = gl_Vertex.xyz;
    vec3 n = normalize(gl_Normal);
    vec3 v = tang - n * dot(n, tang);
    if (dot(v, v) < 1e-12)
        v = abs(n.y) < 0.9 ? cross(n, vec3(0.0, 1.0, 0.0)) : cross(n, vec3(1.0, 0.0, 0.0));
    v = normalize(v);
    vec3 u = cross(v, n);
    vec3 l = (rotm * vec4(lpos - opos.xyz, 0.0)).xyz - p;
    vec3 c = (rotm * vec4(cpos - opos.xyz, 0.0)).xyz - p;
    toLight = vec3(dot(l, u), dot(l, v), dot(l, n));
    toCamera = vec3(dot(c, u), dot(c, v), dot(c, n));
}
