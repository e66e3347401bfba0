#version 120
// Slot 11: glow blur down, nine taps of a Gaussian.
uniform sampler2D text;
varying vec2 uv;

void main()
{
    // 1.6 glow pixels in the 1024 x 768 window: the same share of any window.
    vec2 offset = vec2(0.0, 1.6 / 256.0);
    vec3 sum = texture2D(text, uv).rgb * 0.2270;
    sum += (texture2D(text, uv + offset).rgb + texture2D(text, uv - offset).rgb) * 0.1945;
    sum += (texture2D(text, uv + 2.0 * offset).rgb + texture2D(text, uv - 2.0 * offset).rgb) * 0.1216;
    sum += (texture2D(text, uv + 3.0 * offset).rgb + texture2D(text, uv - 3.0 * offset).rgb) * 0.0540;
    sum += (texture2D(text, uv + 4.0 * offset).rgb + texture2D(text, uv - 4.0 * offset).rgb) * 0.0162;
    gl_FragColor = vec4(sum * 1.15, 1.0);
}
