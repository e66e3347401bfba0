#include "Vector.h"

#include <cmath>

Vector3f Vector3f::CrossProduct(Vector3f v) const
{
    return Vector3f(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

float Vector3f::Rescale(float s)
{
    float q = x * x + y * y + z * z;
    if (q == 0)
        return s;
    float f = std::sqrt(s / q);
    x *= f;
    y *= f;
    z *= f;
    return s;
}

float min(float a, float b)
{
    return a < b ? a : b;
}

namespace {

// Lexicographic less-than over two sequences of six floats; NaN pairs count as
// differing and decide with a false less-than.
bool LessSix(const float* a, const float* b)
{
    for (int i = 0; i < 6; ++i) {
        if (a[i] == b[i])
            continue;
        return a[i] < b[i];
    }
    return false;
}

void Forward(const Line2vf& l, float* out)
{
    out[0] = l.p0.x; out[1] = l.p0.y; out[2] = l.p0.z;
    out[3] = l.p1.x; out[4] = l.p1.y; out[5] = l.p1.z;
}

void Backward(const Line2vf& l, float* out)
{
    out[0] = l.p1.x; out[1] = l.p1.y; out[2] = l.p1.z;
    out[3] = l.p0.x; out[4] = l.p0.y; out[5] = l.p0.z;
}

}  // namespace

bool Less(Line2vf a, Line2vf b)
{
    float fa[6], fb[6];
    Forward(a, fa);
    Forward(b, fb);
    return LessSix(fa, fb);
}

bool LessInv(Line2vf a, Line2vf b)
{
    float fa[6], fb[6];
    Backward(a, fa);
    Backward(b, fb);
    return LessSix(fa, fb);
}

bool LessCross(Line2vf a, Line2vf b)
{
    float fa[6], fb[6];
    Forward(a, fa);
    Backward(b, fb);
    return LessSix(fa, fb);
}

Vector3f DirectionFromAngles(float elevation, float heading)
{
    float a = elevation / 180 * 3.14f;
    float b = heading / 180 * 3.14f;
    return Vector3f(std::sin(-b) * std::cos(a), std::sin(a), -std::cos(b) * std::cos(a));
}
