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

// Which plane a shot met: none, rectangle A's or (A's missed) B's.
enum hit_plane { hit_plane_none = 0, hit_plane_a = 1, hit_plane_b = 2 };

// What one test found.
struct hit_box_result {
  int hit;          // the meeting point lies strictly within the rectangle's width
  hit_plane plane;  // the plane that was met
  double point[3];  // where the segment met that plane (valid when plane != none)
};

// The box around a body whose feet are at c. Used for the player against
// enemy shots and for enemies against the player's instant shots.
hit_box make_hit_box(const double c[3], double w, double h);

// Tests the segment a->b against rectangle A's plane; only when it does not
// meet that plane is B's tried. A hit is decided by the meeting point's x
// (A) or z (B) lying strictly within c -/+ w; its height is never tested.
hit_box_result hit_box_test(const hit_box& box, const double a[3], const double b[3]);
