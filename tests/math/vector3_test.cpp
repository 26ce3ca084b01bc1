#include "math/vector3.h"

#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

namespace {

// Bit for bit, so -0 and NaN show.
void ExpectSame(const Vector3& expected, const Vector3& actual) {
    EXPECT_EQ(0, memcmp(&expected, &actual, sizeof expected))
        << actual.x << ", " << actual.y << ", " << actual.z;
}

TEST(Vector3, DotAndLengthSumInDouble) {
    Vector3 a = {1, 2, 3}, b = {4, 5, 6};
    EXPECT_EQ(32.0f, a.Dot(b));
    EXPECT_EQ(32.0f, Dot(a, b));
    // 1 + 2^-11 + 2^-24 and 2^-24 are ties in float; in double they sum exactly.
    const float e = ldexpf(1, -12);
    Vector3 c = {1 + e, e, 0};
    EXPECT_EQ(1 + ldexpf(1, -11) + ldexpf(1, -23), c.Dot(c));
    EXPECT_EQ(7.0f, (Vector3{-2, 3, 6}.Length()));
    EXPECT_EQ(1e30f, (Vector3{1e30f, 0, 0}.Length())); // its square overflows float
}

TEST(Vector3, CrossIsRightHandedAndMayTakeItself) {
    Vector3 r, v = {1, 0, 0};
    v.Cross({0, 1, 0});
    ExpectSame({0, 0, 1}, v);
    r.SetCross({0, 0, 1}, {1, 0, 0}); // z x x = y: y is a.z*b.x - a.x*b.z
    ExpectSame({0, 1, 0}, r);
    Vector3 a = {2, 3, 5}, b = {7, 11, 13}; // every component of the result differs
    r.SetCross(a, b);
    ExpectSame({-16, 9, 1}, r);
    a.Cross(b);
    ExpectSame(r, a);
    r.SetCross(b, Vector3(b));
    ExpectSame({0, 0, 0}, r);
    b.Cross(b); // every component from the old values
    ExpectSame({0, 0, 0}, b);
}

TEST(Vector3, ScaleAndNormalize) {
    Vector3 v = {1.5f, -2.25f, 7};
    v.Scale(-1);
    ExpectSame({-1.5f, 2.25f, -7}, v);
    v.Scale(0);
    ExpectSame({-0.0f, 0, -0.0f}, v);
    v.Normalize(); // a zero vector stays as it is, no NaN
    ExpectSame({-0.0f, 0, -0.0f}, v);
    Vector3 n = {-2, 3, 6};
    n.Normalize();
    ExpectSame({float(-2.0 / 7), float(3.0 / 7), float(6.0 / 7)}, n); // rounded once
}

} // namespace
