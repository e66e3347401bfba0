#version 120
// Slot 12: volume side faces of both facings. The count is kept in the
// stencil buffer (front faces subtract one, back faces add one where they
// fail the depth test), so the colour is never written.

void main()
{
    gl_FragColor = vec4(1.0);
}
