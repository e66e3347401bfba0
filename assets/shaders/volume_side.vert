#version 120
// Slots 12 and 13: shadow-volume side faces, given in world coordinates; the
// far corners have w 0 (points at infinity away from the light).
void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
