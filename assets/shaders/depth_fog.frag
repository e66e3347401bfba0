#version 120
// Slot 2: with the depth flag set ("dept"), far fragments take the haze colour.
uniform sampler2D text;
uniform int dept;
varying vec2 uv;
varying float eyeDistance;
varying float up;

const vec3 haze = vec3(0.68, 0.74, 0.80);

void main()
{
    vec4 base = texture2D(text, uv);
    if (base.a < 0.3)
        discard;
    vec3 colour = base.rgb * (0.7 + 0.3 * max(up, 0.0));
    if (dept != 0)
        colour = mix(colour, haze, 0.7 * smoothstep(600.0, 4000.0, eyeDistance));
    gl_FragColor = vec4(colour, 1.0);
}
