#version 120
// Slot 3: flashes hide where the scene lies in front of them.
uniform sampler2D text;   // unit 0: image
uniform sampler2D bump;   // unit 1: second texture, or the scene depth for flashes
uniform vec2 scrn;        // the scene's size in pixels
varying vec2 uv;
varying float compareDepth;

void main()
{
    vec4 colour = texture2D(text, uv) * gl_Color;
    if (compareDepth > 0.5) {
        float scene = texture2D(bump, gl_FragCoord.xy / scrn).r;
        if (gl_FragCoord.z > scene + 0.002 * (1.0 - scene))
            discard;
    }
    gl_FragColor = colour;
}
