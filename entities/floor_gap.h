// Finding a hole or a drop in the floor between two points at foot level.
#pragma once

struct bsp_node;

// Seven points between a and b, found by halving: the midpoint, the
// midpoints of the two halves, then of the four quarters, in the order
// 1/2, 1/4, 3/4, 1/8, 3/8, 7/8, 5/8.
void gap_test_points(const double a[3], const double b[3], double out[7][3]);

// True when one of the seven points, lowered by 0.5, lies in empty space:
// there is no floor under it.
bool floor_gap(const bsp_node* root, const double a[3], const double b[3]);
