// Slot 5: tanks ("iftx" 1) show as bright markers, everything else as its texture, dimmed.
#version 120
uniform sampler2D text;
uniform int iftx;
varying vec2 uv;

void main() {
  if (iftx == 1)
    gl_FragColor = vec4(1.0, 0.35, 0.15, 1.0);
  else
    gl_FragColor = vec4(texture2D(text, uv).rgb * 0.8, 1.0);
}
