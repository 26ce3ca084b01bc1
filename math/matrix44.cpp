#include "math/matrix44.h"

#include <math.h>

namespace {

// The float nearest pi/180 (0x3C8EFA35); the radian value keeps its double product.
const float kDegreesToRadians = 0.017453292f;

enum Axis { axisX, axisY, axisZ };

void AppendAxisRotation(Matrix44& matrix, Axis axis, float degrees) {
    double radians = double(degrees) * double(kDegreesToRadians);
    float s = float(sin(radians));
    float c = float(cos(radians));
    Matrix44 r;
    r.SetIdentity();
    switch (axis) {
    case axisX:
        r.m[5] = c, r.m[6] = s, r.m[9] = -s, r.m[10] = c;
        break;
    case axisY:
        r.m[0] = c, r.m[2] = -s, r.m[8] = s, r.m[10] = c;
        break;
    case axisZ:
        r.m[0] = c, r.m[1] = s, r.m[4] = -s, r.m[5] = c;
        break;
    }
    matrix.Multiply(r);
}

} // namespace

void Matrix44::SetIdentity() {
    for (int i = 0; i < 16; ++i)
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void Matrix44::Multiply(const Matrix44& operand) {
    // Products and their sum in double, rounded once; the temporary lets
    // operand be this matrix.
    Matrix44 result;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = double(m[4 * r]) * operand.m[c];
            sum += double(m[4 * r + 1]) * operand.m[4 + c];
            sum += double(m[4 * r + 2]) * operand.m[8 + c];
            sum += double(m[4 * r + 3]) * operand.m[12 + c];
            result.m[4 * r + c] = float(sum);
        }
    }
    *this = result;
}

void Matrix44::Translate(float tx, float ty, float tz) {
    Matrix44 t;
    t.SetIdentity();
    t.m[12] = tx, t.m[13] = ty, t.m[14] = tz;
    Multiply(t);
}

void Matrix44::Scale(float sx, float sy, float sz) {
    Matrix44 s;
    s.SetIdentity();
    s.m[0] = sx, s.m[5] = sy, s.m[10] = sz;
    Multiply(s);
}

void Matrix44::Rotate(float ax, float ay, float az) {
    if (ax != 0.0f)
        AppendAxisRotation(*this, axisX, ax);
    if (ay != 0.0f)
        AppendAxisRotation(*this, axisY, ay);
    if (az != 0.0f)
        AppendAxisRotation(*this, axisZ, az);
}

void Matrix44::Transpose() {
    Matrix44 t;
    t.SetTranspose(*this);
    *this = t;
}

void Matrix44::SetTranspose(const Matrix44& operand) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[4 * r + c] = operand.m[4 * c + r];
}

Vector3 Matrix44::Transform(float x, float y, float z) const {
    Vector3 out;
    out.x = float(double(x) * m[0] + double(y) * m[4] + double(z) * m[8] + m[12]);
    out.y = float(double(x) * m[1] + double(y) * m[5] + double(z) * m[9] + m[13]);
    out.z = float(double(x) * m[2] + double(y) * m[6] + double(z) * m[10] + m[14]);
    return out;
}

void Matrix44::Transform(Vector3& out, const Vector3& in) const {
    out = Transform(in.x, in.y, in.z);
}
