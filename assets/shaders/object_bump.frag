// Slot 0: texture on unit 0 ("text"), tangent-space normal map on unit 1 ("bump").
#version 120
uniform sampler2D text;
uniform sampler2D bump;
uniform vec4 clr1;  // model colour
uniform vec4 clr2;  // object effect, added
uniform float diff;
uniform float spec;
varying vec3 lightDir;
varying vec3 viewDir;
varying vec2 uv;

void main() {
  vec3 n = normalize(texture2D(bump, uv).rgb * 2.0 - 1.0);
  vec3 l = normalize(lightDir);
  vec3 v = normalize(viewDir);
  // No light on faces turned away from it, whatever their bumps say.
  float facing = clamp(l.z * 4.0, 0.0, 1.0);
  float d = max(dot(n, l), 0.0) * facing;
  float s = pow(max(dot(n, normalize(l + v)), 0.0), 24.0) * spec * facing;
  vec4 base = texture2D(text, uv) * clr1;
  vec3 c = base.rgb * (0.36 + diff * d * 0.85) + vec3(s) + clr2.rgb;
  float haze = smoothstep(700.0, 1600.0, length(viewDir)) * 0.5;
  gl_FragColor = vec4(mix(c, vec3(0.78, 0.83, 0.86), haze), base.a);
}
