#version 120
// Slot 6: flat colour.
void main()
{
    gl_Position = ftransform();
}
