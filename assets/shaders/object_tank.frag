// Slot 1: "lmap" is the time since death in milliseconds (10000 while alive): a destroyed
// tank glows, chars and crumbles away over two seconds.
#version 120
uniform sampler2D text;
uniform vec4 clr1;
uniform vec4 clr2;
uniform float diff;
uniform float spec;
uniform int lmap;
varying vec3 normal;
varying vec3 lightDir;
varying vec3 viewDir;
varying vec2 uv;

void main() {
  vec3 n = normalize(normal);
  vec3 l = normalize(lightDir);
  vec3 v = normalize(viewDir);
  float d = max(dot(n, l), 0.0);
  float s = pow(max(dot(n, normalize(l + v)), 0.0), 32.0) * spec;
  vec4 base = texture2D(text, uv) * clr1;
  vec3 c = base.rgb * (0.36 + diff * d * 0.85) + vec3(s) + clr2.rgb;
  float dead = float(lmap);
  if (dead < 2000.0) {
    float t = dead / 2000.0;
    float grain = dot(texture2D(text, uv * 3.0).rgb, vec3(0.33));
    if (grain < t * 1.2 - 0.2) discard;
    vec3 ember = mix(vec3(1.0, 0.8, 0.3), vec3(0.8, 0.15, 0.02), t);
    c = mix(c * (1.0 - t * 0.8), ember, (1.0 - t) * smoothstep(0.5, 1.0, grain + 0.4));
  }
  float haze = smoothstep(700.0, 1600.0, length(viewDir)) * 0.5;
  gl_FragColor = vec4(mix(c, vec3(0.78, 0.83, 0.86), haze), base.a);
}
