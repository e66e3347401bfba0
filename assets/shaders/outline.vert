// Slot 4: back faces of objects. A tank under a timed power-up ("type" 4 or 5) gets its
// back faces pushed outwards, which shows as a coloured rim around it.
#version 120
uniform int type;

void main() {
  vec4 p = gl_Vertex;
  if (type == 4 || type == 5) p.xyz += normalize(gl_Normal) * 1.2;
  gl_Position = gl_ModelViewProjectionMatrix * p;
}
