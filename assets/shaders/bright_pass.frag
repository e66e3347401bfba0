#version 120
// Slot 9: first glow stage: the scene shrunk to a quarter across and a third
// down, keeping only its brightest parts (flashes, embers, auras, highlights).
uniform sampler2D text;   // unit 0: scene
uniform vec2 scrn;        // its size in pixels
varying vec2 uv;

vec3 bright(vec2 at)
{
    vec3 c = texture2D(text, at).rgb;
    float peak = max(c.r, max(c.g, c.b));
    return c * smoothstep(0.78, 1.0, peak);
}

void main()
{
    // Four filtered taps cover the 4 x 3 scene pixels behind each glow pixel.
    vec2 d = vec2(1.0, 0.75) / scrn;
    vec3 sum = bright(uv + vec2(-d.x, -d.y)) + bright(uv + vec2(d.x, -d.y)) + bright(uv + vec2(-d.x, d.y)) +
               bright(uv + vec2(d.x, d.y));
    gl_FragColor = vec4(sum * 0.25, 1.0);
}
