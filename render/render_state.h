// What the renderer keeps from one frame to the next.
#pragma once

#include "render/hud_feedback.h"
#include "render/image_coverage.h"
#include "world_draw/world_pass.h"

struct render_state {
  // Vertex lighting of the world instead of light maps; follows
  // vid_vertex_light, read at the end of each frame's 3-D pass so a change
  // reaches the world on the next frame. False at program start.
  bool vertex_light_flag;

  // Draw every frame the plain way: the sky, then the whole tree back to
  // front with two passes per light-mapped polygon, and the HUD's images
  // whole. It is the reference the faster drawing is checked against; the
  // environment variable TARVO_RENDERER=legacy chooses it at start-up.
  bool legacy_renderer;

  // The faster world drawing's lists, texture opacities and shader.
  world_pass_cache world_pass;

  // Which blocks of the weapon and scope images can show.
  image_coverage_cache hud_images;

  // The red flash of the player's last hurt.
  hurt_flash hurt;
};
