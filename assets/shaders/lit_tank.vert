#version 120
// Slot 1: lit object in model colour (the tanks), with its death effect.
uniform mat4 rotm;
uniform vec3 lpos;
uniform vec3 cpos;
uniform vec4 opos;
varying vec2 uv;
varying vec3 normal;
varying vec3 toLight;
varying vec3 toCamera;
varying vec3 modelPos;

void main()
{
    gl_Position = ftransform();
    uv = gl_MultiTexCoord0.st;
    modelPos = gl_Vertex.xyz;
    normal = gl_Normal;
    toLight = (rotm * vec4(lpos - opos.xyz, 0.0)).xyz - modelPos;
    toCamera = (rotm * vec4(cpos - opos.xyz, 0.0)).xyz - modelPos;
}
