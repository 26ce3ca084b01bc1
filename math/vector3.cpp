#include "math/vector3.h"

#include <math.h>

float Vector3::Dot(const Vector3& operand) const {
    return float((double(z) * operand.z + double(y) * operand.y) + double(x) * operand.x);
}

float Dot(const Vector3& a, const Vector3& b) {
    return a.Dot(b);
}

void Vector3::Cross(const Vector3& operand) {
    // All three from the old values, so operand may be this vector.
    const Vector3& b = operand;
    float cx = float(double(y) * b.z - double(z) * b.y);
    float cy = float(double(z) * b.x - double(x) * b.z);
    float cz = float(double(x) * b.y - double(y) * b.x);
    x = cx, y = cy, z = cz;
}

void Vector3::SetCross(const Vector3& a, const Vector3& b) {
    x = float(double(a.y) * b.z - double(a.z) * b.y);
    y = float(double(a.z) * b.x - double(a.x) * b.z);
    z = float(double(a.x) * b.y - double(a.y) * b.x);
}

void Vector3::Scale(float f) {
    x = float(double(x) * f);
    y = float(double(y) * f);
    z = float(double(z) * f);
}

float Vector3::Length() const {
    return float(sqrt(double(x) * x + double(y) * y + double(z) * z));
}

void Vector3::Normalize() {
    double length = sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (length == 0.0)
        return; // 1/0 would turn every component into NaN
    double reciprocal = 1.0 / length;
    x = float(x * reciprocal);
    y = float(y * reciprocal);
    z = float(z * reciprocal);
}
