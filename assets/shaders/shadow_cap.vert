// Slots 14 to 17: shadow volume caps. The mesh comes in model coordinates under the world
// matrix; the object is placed from "objp" and "obrt" (degrees about x, y, z).
#version 120
uniform vec3 lpos;
uniform vec3 objp;
uniform vec3 obrt;

mat3 turn(float degrees, int axis) {
  float a = radians(degrees), c = cos(a), s = sin(a);
  if (axis == 0) return mat3(1.0, 0.0, 0.0, 0.0, c, s, 0.0, -s, c);
  if (axis == 1) return mat3(c, 0.0, -s, 0.0, 1.0, 0.0, s, 0.0, c);
  return mat3(c, s, 0.0, -s, c, 0.0, 0.0, 0.0, 1.0);
}

void main() {
  mat3 placing = turn(obrt.x, 0) * turn(obrt.y, 1) * turn(obrt.z, 2);
  vec3 world = objp + placing * gl_Vertex.xyz;
  // Caps facing away from the light go to infinity, away from it.
  vec3 away = world - lpos;
  bool distant = dot(placing * gl_Normal, away) > 0.0;
  gl_Position = gl_ModelViewProjectionMatrix * (distant ? vec4(away, 0.0) : vec4(world, 1.0));
}
