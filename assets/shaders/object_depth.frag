// Slot 2: with "dept" set, distance fades the object into the haze.
#version 120
uniform sampler2D text;
uniform int dept;
varying vec3 normal;
varying float depth;
varying vec2 uv;

void main() {
  vec4 base = texture2D(text, uv);
  vec3 c = base.rgb * (0.55 + 0.45 * abs(normalize(normal).z));
  if (dept != 0) c = mix(c, vec3(0.78, 0.83, 0.86), smoothstep(700.0, 1600.0, depth) * 0.5);
  gl_FragColor = vec4(c, base.a);
}
