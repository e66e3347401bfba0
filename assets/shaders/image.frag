// Slot 8: plain copy of unit 0.
#version 120
uniform sampler2D text;
varying vec2 uv;

void main() {
  gl_FragColor = vec4(texture2D(text, uv).rgb, 1.0);
}
