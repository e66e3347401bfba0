#version 120
// Slot 13: volume side faces; the stencil keeps the count, the colour is never written.

void main()
{
    gl_FragColor = vec4(1.0);
}
