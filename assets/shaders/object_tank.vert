// Slot 1: lit object with its model colour; the tanks use it.
#version 120
uniform mat4 rotm;
uniform vec3 lpos;
uniform vec3 cpos;
uniform vec4 opos;
varying vec3 normal;
varying vec3 lightDir;
varying vec3 viewDir;
varying vec2 uv;

void main() {
  normal = gl_Normal;
  lightDir = (rotm * vec4(lpos - opos.xyz, 0.0)).xyz - gl_Vertex.xyz;
  viewDir = (rotm * vec4(cpos - opos.xyz, 0.0)).xyz - gl_Vertex.xyz;
  uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
  gl_Position = ftransform();
}
