// Slot 7: scene (unit 0) darkened where the shadow texture (unit 2) counts a shadow,
// while "shmd" is set, plus the glow (unit 1).
#version 120
uniform sampler2D text;
uniform sampler2D glow;
uniform sampler2D shad;
uniform int shmd;
varying vec2 uv;

void main() {
  vec3 c = texture2D(text, uv).rgb;
  if (shmd != 0) c *= 1.0 - 0.45 * clamp(texture2D(shad, uv).a, 0.0, 1.0);
  c += texture2D(glow, uv).rgb * 0.6;
  gl_FragColor = vec4(c, 1.0);
}
