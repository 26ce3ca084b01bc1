#include "math/matrix44.h"

#include <gtest/gtest.h>

#include <math.h>
#include <stdint.h>
#include <string.h>

namespace {

uint32_t Bits(float value) {
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

Matrix44 Identity() {
    Matrix44 m;
    m.SetIdentity();
    return m;
}

// A matrix with sixteen distinct, non-trivial elements.
Matrix44 Sample() {
    Matrix44 m;
    for (int i = 0; i < 16; ++i)
        m.m[i] = 0.25f * float(i * i) - 1.5f * float(i) + 0.125f;
    return m;
}

// Element by element, bit for bit: a matrix or a vector.
template <typename T> void ExpectSameBits(const T& expected, const T& actual) {
    const float *e = (const float*)&expected, *a = (const float*)&actual;
    for (size_t i = 0; i < sizeof(T) / sizeof(float); ++i)
        EXPECT_EQ(Bits(e[i]), Bits(a[i])) << "element " << i;
}

TEST(Matrix44, SeedSequenceGivesTheExactTable) {
    Matrix44 m = Identity();
    m.Translate(15.0f, 99.0f, -33.5f);
    m.Scale(0.5f, 1.5f, 7.0f);
    m.Rotate(33.0f, 0.0f, 77.0f);
    m.Rotate(45.0f, 0.0f, 0.0f);
    m.Translate(-15.0f, -44.0f, 0.0f);
    const Matrix44 expected = {
        0.112475529f, 0.344491839f,  0.344491839f, 0.0f, //
        -1.2257632f,  -0.377572954f, 0.77778089f,  0.0f, //
        3.71475983f,  -4.75763607f,  3.54477835f,  0.0f, //
        -259.10788f,  83.1684723f,   -36.5823898f, 1.0f,
    };
    ExpectSameBits(expected, m);
}

TEST(Matrix44, IdentityAndAppendOrder) {
    Matrix44 m = Identity();
    ExpectSameBits({3.5f, -7.25f, 1e6f}, m.Transform(3.5f, -7.25f, 1e6f));

    // Translation first, then the scaling appended after it.
    m.Translate(1.0f, -2.0f, 3.0f);
    m.Scale(2.0f, 5.0f, -0.5f);
    ExpectSameBits({2.5f, -7.5f, -2.0f}, m.Transform(0.25f, 0.5f, 1.0f));
}

TEST(Matrix44, RotateAboutZTurnsXTowardY) {
    Matrix44 m = Identity();
    m.Rotate(0.0f, 0.0f, 90.0f);
    ExpectSameBits({1.21679644e-08f, 1.0f, 0.0f}, m.Transform(1.0f, 0.0f, 0.0f));

    m = Identity();
    m.Rotate(0.0f, 0.0f, 180.0f);
    EXPECT_EQ(-1.0f, m.m[0]);
    EXPECT_EQ(Bits(2.43359288e-08f), Bits(m.m[1]));
}

float At(const Vector3& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

TEST(Matrix44, RotateAxesFollowTheRowVectorConvention) {
    // About X, y turns toward z; about Y, z toward x; about Z, x toward y; and
    // the second away from the first: at 30 degrees and at -30.
    const int turns[3][2] = {{1, 2}, {2, 0}, {0, 1}};
    for (float sign : {1.0f, -1.0f})
        for (int axis = 0; axis < 3; ++axis) {
            float angles[3] = {}, u[3] = {}, v[3] = {};
            angles[axis] = 30.0f * sign;
            int a = turns[axis][0], b = turns[axis][1];
            u[a] = v[b] = 1.0f;
            Matrix44 m = Identity();
            m.Rotate(angles[0], angles[1], angles[2]);
            Vector3 p = m.Transform(u[0], u[1], u[2]), q = m.Transform(v[0], v[1], v[2]);
            SCOPED_TRACE(axis);
            EXPECT_NEAR(0.866025f, At(p, a), 1e-6f);
            EXPECT_NEAR(0.5f * sign, At(p, b), 1e-6f);
            EXPECT_NEAR(-0.5f * sign, At(q, a), 1e-6f);
            EXPECT_NEAR(0.866025f, At(q, b), 1e-6f);
            EXPECT_EQ(0.0f, At(p, axis));
            EXPECT_EQ(0.0f, At(q, axis));
        }
}

TEST(Matrix44, ZeroAnglesLeaveTheMatrixUntouchedAndNaNIsApplied) {
    Matrix44 m = Sample();
    m.Rotate(0.0f, 0.0f, 0.0f);
    m.Rotate(-0.0f, -0.0f, -0.0f);
    ExpectSameBits(Sample(), m);

    m.Rotate(NAN, 0.0f, 0.0f);
    EXPECT_TRUE(isnan(m.m[5]));
    EXPECT_EQ(Bits(Sample().m[0]), Bits(m.m[0])); // column 0 is untouched by X
}

TEST(Matrix44, MultiplyBySelfSquares) {
    const Matrix44 s = Sample();
    Matrix44 a = s, expected = s;
    expected.Multiply(s); // another matrix, equal to it
    a.Multiply(a);
    ExpectSameBits(expected, a);
    // Element (1, 2) worked by hand in double: sum of m[4+k] * m[4k+2].
    double e12 = double(s.m[4]) * s.m[2] + double(s.m[5]) * s.m[6] + double(s.m[6]) * s.m[10] +
                 double(s.m[7]) * s.m[14];
    EXPECT_EQ(Bits(float(e12)), Bits(a.m[6]));
}

TEST(Matrix44, TransposeRoundTrip) {
    Matrix44 t;
    t.SetTranspose(Sample());
    EXPECT_EQ(Sample().m[1], t.m[4]);
    EXPECT_EQ(Sample().m[14], t.m[11]);
    t.Transpose();
    ExpectSameBits(Sample(), t);
}

TEST(Matrix44, TransformInPlaceAndIgnoresTheFourthColumn) {
    Matrix44 m = Identity();
    m.Rotate(0.0f, 0.0f, 90.0f);
    m.Translate(10.0f, 20.0f, 30.0f);
    m.m[3] = m.m[7] = m.m[11] = 5.0f; // never read
    m.m[15] = 9.0f;
    Vector3 v = {1.0f, 2.0f, 3.0f}, expected = m.Transform(1.0f, 2.0f, 3.0f);
    m.Transform(v, v);
    ExpectSameBits(expected, v);
    EXPECT_NEAR(8.0f, v.x, 1e-5f);
    EXPECT_NEAR(21.0f, v.y, 1e-5f);
    EXPECT_EQ(33.0f, v.z);
}

} // namespace
