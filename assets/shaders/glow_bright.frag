// Slot 9: keeps only the brightest parts of the scene: the seed of the glow.
#version 120
uniform sampler2D text;
varying vec2 uv;

void main() {
  vec3 c = texture2D(text, uv).rgb;
  float peak = max(c.r, max(c.g, c.b));
  gl_FragColor = vec4(c * smoothstep(0.72, 1.0, peak), 1.0);
}
