#version 120
// Slot 17: the whole near cap in one pass with culling off: triangles facing
// the light count -1 from the front and +1 from behind.
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
uniform vec3 lpos;
varying vec3 world;

// Whether the triangle under this fragment faces the light. Its plane comes
// from the screen-space derivatives of its real position; `windingSign` is +1
// where the kept triangles turn counter-clockwise on screen, -1 where they
// turn clockwise, which orients that plane outwards.
bool facesLight(float windingSign)
{
    vec3 outwards = windingSign * cross(dFdx(world), dFdy(world));
    return dot(outwards, lpos - world) > 0.0;
}

void main()
{
    float side = gl_FrontFacing ? 1.0 : -1.0;
    if (!facesLight(side) || !behindScene())
        discard;
    gl_FragColor = vec4(-side);
}
