#ifndef FERROWIND_VECTOR_H
#define FERROWIND_VECTOR_H

// Plain value types for positions, angles, directions and texture coordinates.
// In the game world y is up and the ground is the x-z plane.
struct Vector3f {
    float x, y, z;

    Vector3f() {}
    Vector3f(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    Vector3f operator*(float s) const { return Vector3f(x * s, y * s, z * s); }
    Vector3f operator+(const Vector3f& v) const { return Vector3f(x + v.x, y + v.y, z + v.z); }
    Vector3f operator-(const Vector3f& v) const { return Vector3f(x - v.x, y - v.y, z - v.z); }
    float Dot(const Vector3f& v) const { return x * v.x + y * v.y + z * v.z; }
    Vector3f CrossProduct(Vector3f v) const;
    // Scales the vector so that its squared length becomes s; a zero vector stays zero.
    float Rescale(float s);
};

struct Vector2f {
    float x, y;
    Vector2f() {}
    Vector2f(float x_, float y_) : x(x_), y(y_) {}
};

struct Line2vf {
    Vector3f p0, p1;
};

float min(float a, float b);
bool Less(Line2vf a, Line2vf b);
bool LessInv(Line2vf a, Line2vf b);
bool LessCross(Line2vf a, Line2vf b);

// The game's one angle-to-direction formula: elevation and heading in degrees,
// with 3.14 standing in for pi as everywhere else in the game.
Vector3f DirectionFromAngles(float elevation, float heading);

#endif
