#version 120
// Slot 1: per-pixel light in model colour. For two seconds after death
// ("lmap" below 2000 ms) the hull glows white-hot, cools to a charred shell
// and burns away from glowing edges.
uniform sampler2D text;
uniform vec4 clr1;
uniform vec4 clr2;
uniform float diff;
uniform float spec;
uniform int lmap;         // ms since death; 10000 while alive
varying vec2 uv;
varying vec3 normal;
varying vec3 toLight;
varying vec3 toCamera;
varying vec3 modelPos;

const float ambient = 0.32;
const float deathTime = 2000.0;

float hash(vec3 p)
{
    return fract(sin(dot(p, vec3(12.9898, 78.233, 37.719))) * 43758.5453);
}

float noise(vec3 p)
{
    vec3 i = floor(p);
    vec3 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    float a = mix(hash(i), hash(i + vec3(1.0, 0.0, 0.0)), f.x);
    float b = mix(hash(i + vec3(0.0, 1.0, 0.0)), hash(i + vec3(1.0, 1.0, 0.0)), f.x);
    float c = mix(hash(i + vec3(0.0, 0.0, 1.0)), hash(i + vec3(1.0, 0.0, 1.0)), f.x);
    float d = mix(hash(i + vec3(0.0, 1.0, 1.0)), hash(i + vec3(1.0, 1.0, 1.0)), f.x);
    return mix(mix(a, b, f.y), mix(c, d, f.y), f.z);
}

void main()
{
    vec4 base = texture2D(text, uv);
    vec3 n = normalize(normal);
    vec3 l = normalize(toLight);
    vec3 c = normalize(toCamera);
    float lambert = max(dot(n, l), 0.0);
    float shine = lambert > 0.0 ? pow(max(dot(n, normalize(l + c)), 0.0), 24.0) : 0.0;
    vec3 colour = base.rgb * clr1.rgb * (ambient + diff * lambert) + vec3(spec * shine);

    if (lmap >= 0 && lmap < int(deathTime)) {
        float t = float(lmap) / deathTime;
        float grain = noise(modelPos * 0.3) * 0.65 + noise(modelPos * 1.3) * 0.35;
        float front = t * t * 1.1 - 0.1;          // burnt away below this
        if (grain < front)
            discard;
        float edge = 1.0 - smoothstep(0.0, 0.12, grain - front);
        float flicker = 0.75 + 0.25 * sin(float(lmap) * 0.04 + grain * 31.0);
        vec3 heat = mix(vec3(1.0, 0.95, 0.8), vec3(1.0, 0.35, 0.05), smoothstep(0.0, 0.35, t));
        vec3 charred = colour * mix(1.0, 0.12, smoothstep(0.1, 0.6, t));
        colour = mix(charred, heat * flicker, max(1.0 - t * 2.5, 0.0));
        colour = mix(colour, vec3(1.0, 0.55, 0.1) * flicker, edge);
    }
    gl_FragColor = vec4(clamp(colour + clr2.rgb, 0.0, 1.0), 1.0);
}
