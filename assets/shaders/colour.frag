// Slot 6: model colour plus object effect.
#version 120
uniform vec4 clr1;
uniform vec4 clr2;

void main() {
  gl_FragColor = clamp(clr1 + clr2, 0.0, 1.0);
}
