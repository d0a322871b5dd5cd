// The fixed sound effects: two gunshots, the energy shot and two pain cries (all mono).
#pragma once

#include "tools/assetgen/opus_writer.h"

// Effects by number.
enum sound_effect_id {
  sfx_gun1 = 0,        // automatic gun crack
  sfx_gun2 = 1,        // shotgun boom
  sfx_gun_lazer = 2,   // energy zap
  sfx_human_pain = 3,  // voiced cry
  sfx_armor_pain = 4,  // metallic grunt
};

// Renders effect id as a mono buffer.
sample_buffer render_sound_effect(int id);
