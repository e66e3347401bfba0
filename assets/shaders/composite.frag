#version 120
// Slot 7: the frame on the window. Pixels with a shadow count other than 0
// are darkened while shadows are on ("shmd"); the glow is screened over.
uniform sampler2D text;   // unit 0: scene
uniform sampler2D glow;   // unit 1: glow, 256 x 256
uniform sampler2D shad;   // unit 2: shadow counts
uniform int shmd;
varying vec2 uv;

const float shadowLight = 0.45;

void main()
{
    vec3 scene = texture2D(text, uv).rgb;
    vec3 halo = texture2D(glow, uv).rgb;
    float count = texture2D(shad, uv).r;
    if (shmd != 0 && abs(count) > 0.5)
        scene *= shadowLight;
    vec3 colour = 1.0 - (1.0 - scene) * (1.0 - clamp(halo * 1.3, 0.0, 1.0));
    gl_FragColor = vec4(colour, 1.0);
}
