#version 120
// Slot 5: tanks as bright markers, everything else in its own texture.
uniform sampler2D text;
uniform int iftx;
varying vec2 uv;

void main()
{
    if (iftx == 1)
        gl_FragColor = vec4(1.0, 0.25, 0.1, 1.0);
    else
        gl_FragColor = vec4(texture2D(text, uv).rgb * 0.85, 1.0);
}
