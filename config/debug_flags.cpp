// The player's debug drawing flags, rebuilt from the dbg_ variables.
#include "config/debug_flags.h"

#include <cstring>

#include "config/config_table.h"

int32_t debug_draw_flags_from(const config_table& table) {
  int32_t flags = 0;
  for (const config_var& var : table.vars) {
    int32_t value = var.value.as_int;
    if (strcmp(var.name, "dbg_draw_vel") == 0) {
      if (value == 1)
        flags |= 1;
      else if (value == 2)
        flags |= 4;
    } else if (strcmp(var.name, "dbg_draw_accel") == 0) {
      if (value == 1)
        flags |= 2;
      else if (value == 2)
        flags |= 8;
    } else if (strcmp(var.name, "dbg_draw_fps") == 0 && value != 0) {
      flags |= 16;
    }
  }
  return flags;
}
