// libFuzzer target: the save file's reader on arbitrary bytes, through a
// real file as "Continue" reads it. What it accepts is a campaign level
// with counters that are not negative, and writing it back reads the same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game/level_table.h"
#include "game/save_file.h"

namespace {

char save_path[64];

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!freopen("/dev/null", "w", stdout)) return 0;
  char dir[] = "/tmp/tarvo_fuzz_save_XXXXXX";
  if (!mkdtemp(dir)) return 0;
  snprintf(save_path, sizeof save_path, "%s/save.sav", dir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = fopen(save_path, "wb");
  if (!file) return 0;
  fwrite(data, 1, size, file);
  fclose(file);
  save_record record{0, 0, 0, 0};
  if (save_file_read(save_path, record) != save_read) return 0;
  if (!level_table_find(record.level_number)) abort();
  if (record.score < 0 || record.kills < 0 || record.mice < 0) abort();
  if (!save_file_write(save_path, record)) return 0;
  save_record again{-1, -1, -1, -1};
  if (save_file_read(save_path, again) != save_read) abort();
  if (again.level_number != record.level_number || again.score != record.score ||
      again.kills != record.kills || again.mice != record.mice)
    abort();
  return 0;
}
