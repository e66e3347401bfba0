#version 120
// Slot 6: model colour plus the object's effect colour.
uniform vec4 clr1;
uniform vec4 clr2;

void main()
{
    gl_FragColor = vec4(clamp(clr1.rgb + clr2.rgb, 0.0, 1.0), clr1.a);
}
