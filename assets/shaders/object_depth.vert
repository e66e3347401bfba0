// Slot 2: textured object shaded from the viewer's side; it knows no light position.
#version 120
varying vec3 normal;
varying float depth;
varying vec2 uv;

void main() {
  normal = gl_NormalMatrix * gl_Normal;
  vec4 eye = gl_ModelViewMatrix * gl_Vertex;
  depth = -eye.z;
  uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
  gl_Position = ftransform();
}
