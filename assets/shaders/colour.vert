// Slot 6: flat colour.
#version 120

void main() {
  gl_Position = ftransform();
}
