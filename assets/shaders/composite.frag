#version 120
// Slot 7: the frame on the window. Pixels the shadow counts marked (scene
// alpha 0) are darkened while shadows are on ("shmd"); the glow is screened
// over.
uniform sampler2D text;   // unit 0: scene; alpha 0 in shadow
uniform sampler2D glow;   // unit 1: glow, a quarter of the scene across, a third down
uniform int shmd;
varying vec2 uv;

const float shadowLight = 0.45;

void main()
{
    vec4 texel = texture2D(text, uv);
    vec3 scene = texel.rgb;
    vec3 halo = texture2D(glow, uv).rgb;
    if (shmd != 0 && texel.a < 0.5)
        scene *= shadowLight;
    vec3 colour = 1.0 - (1.0 - scene) * (1.0 - clamp(halo * 1.3, 0.0, 1.0));
    gl_FragColor = vec4(colour, 1.0);
}
