#version 120
// Slot 8: one texture as it is.
uniform sampler2D text;
varying vec2 uv;

void main()
{
    gl_FragColor = vec4(texture2D(text, uv).rgb, 1.0);
}
