#version 120
// Slot 15: the object's mesh thrown away from the light down to the floor
// (to infinity where a corner is level with the light or above it), as the
// far cap of its shadow volume. "world" keeps the corner's real position.
uniform vec3 lpos;
uniform vec3 objp;        // object position, world
uniform vec3 obrt;        // object angles, degrees about x, y and z
varying vec3 world;

// Nothing that can lie in shadow is lower than this: the volume ends there
// instead of at infinity, which keeps its faces small on screen.
const float floorY = -10.0;

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
    vec3 away = world - lpos;
    vec4 far = away.y < 0.0 ? vec4(world + away * ((world.y - floorY) / -away.y), 1.0) : vec4(away, 0.0);
    gl_Position = pushedAway(gl_ModelViewMatrix * far);
}
