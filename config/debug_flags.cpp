// The player's debug drawing flags, rebuilt from the dbg_ variables.
#include "config/debug_flags.h"

#include "config/config_table.h"

int32_t debug_draw_flags_from(const config_table& table) {
  int32_t flags = 0;
  const int32_t velocity = config_at(table, cfg_dbg_draw_vel).value.as_int;
  if (velocity == 1)
    flags |= 1;
  else if (velocity == 2)
    flags |= 4;
  const int32_t acceleration = config_at(table, cfg_dbg_draw_accel).value.as_int;
  if (acceleration == 1)
    flags |= 2;
  else if (acceleration == 2)
    flags |= 8;
  if (config_at(table, cfg_dbg_draw_fps).value.as_int != 0) flags |= 16;
  return flags;
}
