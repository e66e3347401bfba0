#version 120
// Slot 15: far cap, seen from behind: the triangles facing away from the
// light, at infinity, add one over the scene.
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
    if (facesLight(-1.0) || !behindScene())
        discard;
    gl_FragColor = vec4(1.0);
}
