// Slot 3: unit 0 ("text") tinted by the current colour; "bump" (unit 1) is not needed here.
#version 120
uniform sampler2D text;
varying vec2 uv;

void main() {
  gl_FragColor = texture2D(text, uv) * gl_Color;
}
