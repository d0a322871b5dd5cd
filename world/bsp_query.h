// Questions the game asks of the level's tree: clear segments, collision probes, plane hits.
#pragma once

struct bsp_node;

// 1 when every leaf cell the segment from a to b passes through is empty,
// 0 when any is solid; a == b tests one point. The segment is cut where it
// crosses a node's plane and each part is searched on its own side, front
// first. Used for sight, shots and movement checks, always from the root.
int bsp_segment_clear(const double a[3], const double b[3], const bsp_node* node);

// The player's collision probe: non-zero only when every leaf the search
// reaches is solid (a leaf gives its contents as is). A crossing from front
// to back writes the plane's normal and a's distance to the plane into
// hit_normal and hit_distance (the last such crossing in search order wins);
// they are never cleared, so the caller initialises them. The segment is not
// cut: both children of a crossed node see all of it.
int bsp_trace_solid(const double a[3], const double b[3], const bsp_node* node, double hit_normal[3],
                    double* hit_distance);

// 1 when the segment from a to b meets the plane through p with normal n at
// some t in [0, 1]: writes a + t (b - a) to out_point. t is written whenever
// the segment is not parallel to the plane, even when out of range.
int segment_plane_hit(const double a[3], const double b[3], const double p[3], const double n[3],
                      double out_point[3], double* out_t);
