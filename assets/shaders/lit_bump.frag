#version 120
// Slot 0: diffuse and specular light from the bump map's normals, tinted by
// the model colour; the object's effect colour (a power-up) is added on top.
uniform sampler2D text;   // unit 0: colour
uniform sampler2D bump;   // unit 1: tangent-space normal map
uniform vec4 clr1;        // model colour
uniform vec4 clr2;        // object effect colour
uniform float diff;
uniform float spec;
varying vec2 uv;
varying vec3 toLight;
varying vec3 toCamera;

const float ambient = 0.32;

void main()
{
    vec4 base = texture2D(text, uv);
    if (base.a < 0.3)
        discard;
    vec3 n = normalize(texture2D(bump, uv).xyz * 2.0 - 1.0);
    vec3 l = normalize(toLight);
    vec3 c = normalize(toCamera);
    // Surfaces turned away from the light stay dark whatever their bumps say.
    float facing = clamp(l.z * 4.0, 0.0, 1.0);
    float lambert = max(dot(n, l), 0.0) * facing;
    float shine = pow(max(dot(n, normalize(l + c)), 0.0), 32.0) * facing;
    vec3 colour = base.rgb * clr1.rgb * (ambient + diff * lambert) + vec3(spec * shine);
    gl_FragColor = vec4(clamp(colour + clr2.rgb, 0.0, 1.0), 1.0);
}
