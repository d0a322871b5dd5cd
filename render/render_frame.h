// One frame of the running game: sky, world, sprites, overlays, hit
// markers, HUD and the death fade.
#pragma once
#include <cstdint>

struct game_state;
struct video_settings;

// Draws the whole frame into the back buffer from the game's records (the
// main loop presents it). Keeps vertex_light_flag up to date from
// vid_vertex_light for the next frame. Called by game_tick after the
// player update.
void render_frame(game_state& gs);

// Loads the game's perspective (field of view by view_fov, the window's
// aspect, near 0.1, far the render distance) and an identity model-view.
// render_frame ends every frame with it, for the next one.
void set_game_projection(const video_settings& video, uint8_t zoom_flag);

// Whether the projection in force is a perspective one, as the game's is;
// after a 2-D screen it is not.
bool game_projection_in_force();
