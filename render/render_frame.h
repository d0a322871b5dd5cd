// One frame of the running game: sky, world, sprites, overlays, hit
// markers, HUD and the death fade.
#pragma once
#include <cstdint>

struct ai_node;
struct bsp_node;
struct config_table;
struct console;
struct entity;
struct player;
struct render_state;
struct texture_table;
struct video_settings;

// What a frame draws: the level, the player's view of it, the HUD's sources
// and what the renderer keeps between frames.
struct frame_scene {
  bsp_node* bsp_root;
  ai_node* ai_node_list;
  entity* entity_list;  // the head sentinel, then the level's entities
  const player& the_player;
  const texture_table& textures;
  const config_table& config;
  const video_settings& video;
  const console& the_console;
  render_state& renderer;
};

// Draws the whole frame into the back buffer from the scene (the main loop
// presents it). Keeps vertex_light_flag up to date from vid_vertex_light
// for the next frame. Called by game_tick after the player update.
void render_frame(const frame_scene& scene);

// Whether the environment asks for the plain drawing (TARVO_RENDERER=legacy):
// read once at start-up into render_state's legacy_renderer.
bool legacy_renderer_chosen();

// Loads the game's perspective (field of view by view_fov, the window's
// aspect, near 0.1, far the render distance) and an identity model-view.
// render_frame ends every frame with it, for the next one.
void set_game_projection(const video_settings& video, uint8_t zoom_flag);

// Whether the projection in force is a perspective one, as the game's is;
// after a 2-D screen it is not.
bool game_projection_in_force();
