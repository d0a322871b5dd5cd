// Sight lines, distances and turning shared by the enemy states and the shots.
#pragma once

struct bsp_node;
struct entity;
struct player;

// An enemy's eye is 1.5 above its feet, the player's 2.25 above its own.
constexpr double enemy_eye_height = 1.5;
constexpr double player_eye_height = 2.25;

// Whether the segment from the enemy's eye to the player's eye is clear.
bool enemy_sees_player(const entity& e, const player& p, const bsp_node* root);

// Whether the segment from a to b lies in empty space (a == b: the point).
bool segment_clear(const double a[3], const double b[3], const bsp_node* root);

// Euclidean distance over x, y and z.
double distance3(const double a[3], const double b[3]);

// Turns `facing` toward the look direction `look`: within 30 degrees it
// becomes `look`, otherwise it moves 30 degrees toward it. Angles are not
// wrapped, so a turn across the -pi/pi seam goes the long way round.
void turn_facing_toward(double& facing, double look);
