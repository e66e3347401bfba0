#version 120
// Flat images over the whole target (slots 7 to 11).
varying vec2 uv;

void main()
{
    gl_Position = ftransform();
    uv = gl_MultiTexCoord0.st;
}
