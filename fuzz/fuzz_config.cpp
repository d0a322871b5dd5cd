// libFuzzer target: the config reader on arbitrary bytes, then the video
// settings and key bindings derived from what it accepted.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "config/config_file.h"
#include "config/config_table.h"
#include "config/video_settings.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The log is not what is being tested.
  if (!freopen("/dev/null", "w", stdout)) return 0;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = size ? fmemopen(const_cast<uint8_t*>(data), size, "r") : fopen("/dev/null", "r");
  if (!file) return 0;
  config_table table{};
  set_config_defaults(table);
  read_config_stream(table, file, "fuzz.cfg");
  fclose(file);
  // Whatever the file said, every double is a finite number and the tick
  // length is usable.
  for (const config_var& var : table.vars)
    if (config_is_double(var.name) && !std::isfinite(var.value.as_double)) abort();
  video_settings video = apply_video_vars(table);
  if (!(video.tick_step > 0.0) || !std::isfinite(video.tick_step)) abort();
  if (video.width <= 0 || video.height <= 0) abort();
  return 0;
}
