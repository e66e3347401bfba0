#version 120
// Slot 4: rim colour by power-up kind; black for the flat fill.
uniform int type;
varying float fill;

void main()
{
    if (fill > 0.5)
        gl_FragColor = vec4(0.0, 0.0, 0.0, 1.0);
    else if (type == 4)
        gl_FragColor = vec4(1.0, 0.3, 0.12, 1.0);
    else if (type == 5)
        gl_FragColor = vec4(0.25, 0.75, 1.0, 1.0);
    else
        gl_FragColor = vec4(0.0, 0.0, 0.0, 0.45);
}
