// Small 3-D vector helpers for the generator's model renderer.
#pragma once

#include <cmath>

// A point or direction in model space (y up).
struct vec3 {
  double x, y, z;
};

inline vec3 operator+(vec3 a, vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline vec3 operator-(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline vec3 operator*(vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline vec3 cross(vec3 a, vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(vec3 a) { return std::sqrt(dot(a, a)); }
inline vec3 normalize(vec3 a) {
  double l = length(a);
  return l > 0 ? a * (1.0 / l) : vec3{0, 1, 0};
}
// Rotates v about the x axis by angle radians (positive turns +y toward +z).
inline vec3 rotate_x(vec3 v, double a) {
  double c = std::cos(a), s = std::sin(a);
  return {v.x, v.y * c - v.z * s, v.y * s + v.z * c};
}
// Rotates v about the y axis by angle radians (positive turns +z toward +x).
inline vec3 rotate_y(vec3 v, double a) {
  double c = std::cos(a), s = std::sin(a);
  return {v.x * c + v.z * s, v.y, -v.x * s + v.z * c};
}
// Rotates v about the z axis by angle radians (positive turns +x toward +y).
inline vec3 rotate_z(vec3 v, double a) {
  double c = std::cos(a), s = std::sin(a);
  return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}
