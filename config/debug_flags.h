// The player's debug drawing flags, rebuilt from the dbg_ variables.
#pragma once
#include <cstdint>

struct config_table;

// Bit values: 1 velocity, 2 acceleration (dbg_draw_vel / dbg_draw_accel
// = 1), 4 and 8 the same at = 2, 16 the frame rate (dbg_draw_fps non-zero).
// The game tick stores the result in the player every tick.
int32_t debug_draw_flags_from(const config_table& table);
