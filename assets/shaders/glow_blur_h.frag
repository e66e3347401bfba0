// Slot 10: horizontal blur of the 256 x 256 glow target.
#version 120
uniform sampler2D text;
varying vec2 uv;

void main() {
  const float texel = 1.0 / 256.0;
  vec3 sum = texture2D(text, uv).rgb * 0.2270;
  sum += texture2D(text, uv + vec2(texel * 1.385, 0.0)).rgb * 0.3162;
  sum += texture2D(text, uv - vec2(texel * 1.385, 0.0)).rgb * 0.3162;
  sum += texture2D(text, uv + vec2(texel * 3.231, 0.0)).rgb * 0.0703;
  sum += texture2D(text, uv - vec2(texel * 3.231, 0.0)).rgb * 0.0703;
  gl_FragColor = vec4(sum, 1.0);
}
