#version 120
// Slot 5: the battlefield seen from above; tanks ("iftx" 1) are drawn larger
// so that they stay visible in the small map.
uniform int iftx;
varying vec2 uv;

void main()
{
    float scale = iftx == 1 ? 2.5 : 1.0;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(gl_Vertex.xyz * scale, 1.0);
    uv = gl_MultiTexCoord0.st;
}
