#version 120
// Slot 2: textured object that fades into the haze with distance.
varying vec2 uv;
varying float eyeDistance;
varying float up;

void main()
{
    gl_Position = ftransform();
    uv = gl_MultiTexCoord0.st;
    eyeDistance = length((gl_ModelViewMatrix * gl_Vertex).xyz);
    up = normalize(gl_Normal).y;
}
