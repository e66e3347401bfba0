// Slots 12 to 17: shadow counting is not drawn yet; the volumes leave the shadow texture
// untouched (alpha 0 under the renderer's blending).
#version 120

void main() {
  gl_FragColor = vec4(0.0);
}
