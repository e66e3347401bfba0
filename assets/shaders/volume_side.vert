#version 120
// Slots 12 and 13: shadow-volume side faces, given in world coordinates; the
// far corners have w 0 (xyz: the direction from the light through the edge's end).
uniform vec3 lpos;

// Nothing that can lie in shadow is lower than this: the volume ends there
// instead of at infinity, which keeps its faces small on screen.
const float floorY = -10.0;

// Volume geometry lies 0.2 % further from the camera than it is, on the same
// screen position: a volume face on the scene's own surface then fails the
// depth test and counts, despite the rounding of two ways of placing it.
vec4 pushedAway(vec4 eye)
{
    return gl_ProjectionMatrix * vec4(eye.xyz * 1.002, eye.w);
}

// A far corner moves to where its direction from the edge's end meets the
// floor; one level with the light or above it stays at infinity.
vec4 onTheFloor(vec4 v)
{
    if (v.w != 0.0 || v.y >= 0.0)
        return v;
    vec3 end = lpos + v.xyz;
    return vec4(end + v.xyz * ((end.y - floorY) / -v.y), 1.0);
}

void main()
{
    gl_Position = pushedAway(gl_ModelViewMatrix * onTheFloor(gl_Vertex));
}
