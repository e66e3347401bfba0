// Slot 0: lit, bump-mapped object. Lighting is worked out in the object's own frame:
// "rotm" turns world directions by minus the object's heading.
#version 120
attribute vec3 tang;  // direction of increasing t, not normalised
uniform mat4 rotm;
uniform vec3 lpos;
uniform vec3 cpos;
uniform vec4 opos;
varying vec3 lightDir;  // tangent space
varying vec3 viewDir;   // tangent space
varying vec2 uv;

void main() {
  vec3 n = normalize(gl_Normal);
  vec3 b = tang - n * dot(n, tang);
  float bl = length(b);
  b = bl > 0.0001 ? b / bl : normalize(cross(n, vec3(0.36, 0.48, 0.8)));
  vec3 t = cross(n, b);  // direction of increasing s
  vec3 l = (rotm * vec4(lpos - opos.xyz, 0.0)).xyz - gl_Vertex.xyz;
  vec3 v = (rotm * vec4(cpos - opos.xyz, 0.0)).xyz - gl_Vertex.xyz;
  lightDir = vec3(dot(l, t), dot(l, b), dot(l, n));
  viewDir = vec3(dot(v, t), dot(v, b), dot(v, n));
  uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
  gl_Position = ftransform();
}
