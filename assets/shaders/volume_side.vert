#version 120
// Slots 12 and 13: shadow-volume side faces, given in world coordinates; the
// far corners have w 0 (points at infinity away from the light).

// Volume geometry lies 0.2 % further from the camera than it is, on the same
// screen position: a volume face on the scene's own surface then fails the
// depth test and counts, despite the rounding of two ways of placing it.
vec4 pushedAway(vec4 eye)
{
    return gl_ProjectionMatrix * vec4(eye.xyz * 1.002, eye.w);
}

void main()
{
    gl_Position = pushedAway(gl_ModelViewMatrix * gl_Vertex);
}
