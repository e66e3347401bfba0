// Slot 4: otherwise fully transparent, so the back-face pass and the glow fills add nothing.
#version 120
uniform int type;

void main() {
  if (type == 4)
    gl_FragColor = vec4(1.0, 0.25, 0.1, 0.6);
  else if (type == 5)
    gl_FragColor = vec4(0.3, 0.65, 1.0, 0.6);
  else
    gl_FragColor = vec4(0.0);
}
