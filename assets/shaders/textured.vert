// Slot 3: textured geometry (sky box, sprites, images); the texture matrix animates strips.
#version 120
varying vec2 uv;

void main() {
  uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
  gl_FrontColor = gl_Color;
  gl_Position = ftransform();
}
