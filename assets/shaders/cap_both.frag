#version 120
// Slot 17: the whole near cap in one pass with culling off: triangles facing
// the light count -1 from the front and +1 from behind, in the stencil buffer;
// the others are left out here.
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
    if (!facesLight(side))
        discard;
    gl_FragColor = vec4(-side);
}
