#version 120
// Slot 4: the back faces of each object, pushed outwards, show as a rim
// around it: a thin dark outline, or a bright aura while a timed power-up
// ("type" 4 or 5) is in effect. The glow chain uses the same program for a
// flat fill drawn with every matrix at identity.
uniform int type;
varying float fill;

void main()
{
    if (gl_ProjectionMatrix == mat4(1.0)) {
        fill = 1.0;
        gl_Position = gl_Vertex;
        return;
    }
    fill = 0.0;
    // Pushed along the direction from the model's origin, so that corners
    // shared by several faces move together and the rim has no cracks.
    vec3 p = gl_Vertex.xyz;
    vec3 away = length(p) > 0.001 ? normalize(p) : vec3(0.0, 1.0, 0.0);
    float grow = type == 0 ? 0.3 : 1.4;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(p + away * grow, 1.0);
}
