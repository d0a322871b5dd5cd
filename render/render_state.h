// What the renderer keeps from one frame to the next.
#pragma once

struct render_state {
  // Vertex lighting of the world instead of light maps; follows
  // vid_vertex_light, read at the end of each frame's 3-D pass so a change
  // reaches the world on the next frame. False at program start.
  bool vertex_light_flag;
};
