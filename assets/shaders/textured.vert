#version 120
// Slot 3: plain texture times the current colour: sky box, images, the light
// marker, textured objects and the shot flashes (animated by the texture matrix).
varying vec2 uv;
varying float compareDepth;

void main()
{
    gl_Position = ftransform();
    gl_FrontColor = gl_Color;
    uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).st;
    // The flash pass sets r = 1 in the coordinates of unit 1 while unit 1
    // holds the scene depth.
    compareDepth = gl_MultiTexCoord1.p;
}
