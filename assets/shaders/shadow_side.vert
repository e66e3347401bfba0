// Slots 12 and 13: side faces of the shadow volumes, given in world coordinates; far
// vertices have w 0 and project to infinity.
#version 120

void main() {
  gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
