#pragma once

// A point or direction in single precision; a plain value.
struct Vector3 {
    float x;
    float y;
    float z;
};
