// Debug drawings inside the 3-D scene: the navigation graph, the player's
// aim and the enemies' last shots.
#pragma once

struct ai_node;
struct entity;
struct player;

// The point 0.5 ahead of the standing eye along the player's view.
void player_aim_point(const player& p, double point[3]);

// Each link of every node as a thin white ribbon, with the seven floor-gap
// test points of the link as small red squares. Called by render_frame
// when dbg_draw_aigraph is set.
void draw_nav_graph(const ai_node* first);

// A small blue square where the player aims; logs the aim angles, once per
// frame. Called by render_frame when dbg_draw_aimvec is set.
void draw_player_aim(const player& p);

// A white ribbon from the feet of each firing enemy to the end of its last
// instant shot. Called by render_frame when dbg_draw_e_aimvec is set.
void draw_enemy_aim(const entity* first);
