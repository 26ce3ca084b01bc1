#pragma once

#include "math/vector3.h"

// Four-by-four single-precision matrix for row vectors multiplied on the
// left: m[4r + c] is row r, column c, translation in m[12..14]. A plain value
// with no constructor: call SetIdentity first. Every operation appends its
// transform after what the matrix already holds (this = this x T).
struct Matrix44 {
    float m[16];

    void SetIdentity();
    void Multiply(const Matrix44& operand);
    void Translate(float tx, float ty, float tz);
    void Scale(float sx, float sy, float sz);
    // Degrees; X, then Y, then Z; an axis whose angle equals 0 is skipped.
    void Rotate(float ax, float ay, float az);
    void Transpose();
    // operand must be another matrix (Transpose serves for this one).
    void SetTranspose(const Matrix44& operand);
    Vector3 Transform(float x, float y, float z) const;
    // out may be the same vector as in.
    void Transform(Vector3& out, const Vector3& in) const;
};
