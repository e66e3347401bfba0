// Slots 7 to 11: full-target images; texture coordinates as given.
#version 120
varying vec2 uv;

void main() {
  uv = gl_MultiTexCoord0.xy;
  gl_Position = ftransform();
}
