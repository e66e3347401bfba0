#version 120
// Slot 14: near cap, triangles seen from behind (drawn with culling turned
// round): those facing the light add one where they fail the depth test.
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
    if (!facesLight(-1.0))
        discard;
    gl_FragColor = vec4(1.0);
}
