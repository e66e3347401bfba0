// Slot 5: the battlefield seen from above for the minimap.
#version 120
varying vec2 uv;

void main() {
  uv = gl_MultiTexCoord0.xy;
  gl_Position = ftransform();
}
