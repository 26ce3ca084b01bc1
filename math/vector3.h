#pragma once

// A point or direction in single precision; a plain value. Arithmetic is done
// in double and rounded once when a component or result is stored.
struct Vector3 {
    float x;
    float y;
    float z;

    float Dot(const Vector3& operand) const;
    // this = this x operand, the right-handed cross product; operand may be
    // this vector.
    void Cross(const Vector3& operand);
    // this = a x b; a and b must both be other vectors than this one.
    void SetCross(const Vector3& a, const Vector3& b);
    void Scale(float f);
    float Length() const;
    // Scales to length 1; a zero vector stays zero.
    void Normalize();
};

float Dot(const Vector3& a, const Vector3& b);
