#version 120
// Slot 13: volume side faces seen from behind add one where they lie behind the scene.
uniform sampler2D dpth;   // unit 0: the scene depth (depth2)

// True where the fragment lies behind the scene or on it: a depth test of the
// volume face against the scene would fail there, so the face counts. Pixels
// where nothing was drawn (the sky) never count. The tolerance is 0.2 % of the
// distance (the window depth is 1 - 10 / distance).
bool behindScene()
{
    float scene = texture2D(dpth, gl_FragCoord.xy / vec2(1024.0, 768.0)).r;
    if (scene >= 1.0)
        return false;
    float z = clamp(gl_FragCoord.z, 0.0, 1.0);
    return z >= scene - 0.002 * (1.0 - scene);
}

void main()
{
    if (!behindScene())
        discard;
    gl_FragColor = vec4(1.0);
}
