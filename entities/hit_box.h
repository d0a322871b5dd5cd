// The hit box of a body: two crossed vertical rectangles, made for one shot test.
#pragma once

// Rectangle A lies in the vertical plane z = c.z, rectangle B in x = c.x;
// both are 2w wide and 2h tall from the feet c up. Ten points: A's four
// corners, A's normal (0, 0, 1), B's four corners, B's normal (1, 0, 0).
struct hit_box {
  double points[10][3];
  double base[3];  // c, the body's feet
  double half_width;
};

// A rectangle of the box: none, A (in z = c.z) or B (in x = c.x).
enum hit_plane { hit_plane_none = 0, hit_plane_a = 1, hit_plane_b = 2 };

// What one test found.
struct hit_box_result {
  int hit;            // the segment crossed one of the rectangles within its width
  hit_plane plane;    // the rectangle hit; on a miss, the first plane met (A before B)
  double point[3];    // where the segment met that plane (valid when plane != none)
  int met_a;          // the segment met A's plane, whether or not within A
  double a_point[3];  // where it met A's plane (valid when met_a)
};

// The box around a body whose feet are at c. Used for the player against
// enemy shots and for enemies against the player's instant shots.
hit_box make_hit_box(const double c[3], double w, double h);

// Tests the segment a->b against rectangle A, then, unless A was hit, against
// B: a hit is a meeting point whose x (A) or z (B) lies strictly within
// c -/+ w, so a shot along x that meets A's plane far from the body can still
// hit B. The height of the meeting point is never tested.
hit_box_result hit_box_test(const hit_box& box, const double a[3], const double b[3]);
