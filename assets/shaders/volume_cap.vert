#version 120
// Slots 14, 16 and 17: the object's own mesh in place, as the near cap of its
// shadow volume. The model-view matrix holds the camera in world coordinates.
uniform vec3 objp;        // object position, world
uniform vec3 obrt;        // object angles, degrees about x, y and z
varying vec3 world;

// The object placement: turned about z, then y, then x, then moved; angles
// converted with 3.14 like the side faces, so that caps and sides meet.
vec3 place(vec3 v)
{
    vec3 a = obrt * (3.14 / 180.0);
    vec3 s = sin(a);
    vec3 c = cos(a);
    v = vec3(v.x * c.z - v.y * s.z, v.x * s.z + v.y * c.z, v.z);
    v = vec3(v.x * c.y + v.z * s.y, v.y, -v.x * s.y + v.z * c.y);
    v = vec3(v.x, v.y * c.x - v.z * s.x, v.y * s.x + v.z * c.x);
    return v + objp;
}

// Volume geometry lies 0.2 % further from the camera than it is, on the same
// screen position: a volume face on the scene's own surface then fails the
// depth test and counts, despite the rounding of two ways of placing it.
vec4 pushedAway(vec4 eye)
{
    return gl_ProjectionMatrix * vec4(eye.xyz * 1.002, eye.w);
}

void main()
{
    world = place(gl_Vertex.xyz);
    gl_Position = pushedAway(gl_ModelViewMatrix * vec4(world, 1.0));
}
