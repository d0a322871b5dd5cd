// The save file: the level being played and the campaign's counters at its
// start, as one line "level score kills mice".
#include "game/save_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "game/level_table.h"
#include "platform/directory.h"

namespace {

// Longer than any save line the game writes; the rest of a longer file is
// not read.
constexpr size_t save_read_limit = 256;
constexpr size_t save_path_limit = 260;

// One "%d": optional white space, a sign, digits. False, with `text`
// unchanged, when there is no number or it does not fit in 32 bits.
bool parse_int(const char*& text, int32_t& out) {
  const char* c = text;
  while (isspace(static_cast<unsigned char>(*c))) ++c;
  bool negative = *c == '-';
  if (*c == '-' || *c == '+') ++c;
  if (!isdigit(static_cast<unsigned char>(*c))) return false;
  int64_t value = 0;
  while (isdigit(static_cast<unsigned char>(*c))) {
    value = value * 10 + (*c - '0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) return false;
    ++c;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return false;
  out = static_cast<int32_t>(value);
  text = c;
  return true;
}

// Sets a negative counter to 0, saying so.
void clamp_counter(const char* path, const char* name, int32_t& value) {
  if (value >= 0) return;
  printf("save file \"%s\": %s %d is negative; using 0\n", path, name, value);
  value = 0;
}

}  // namespace

int save_parse(const char* text, save_record& record) {
  int32_t* fields[4] = {&record.level_number, &record.score, &record.kills, &record.mice};
  int read = 0;
  while (read < 4 && parse_int(text, *fields[read])) ++read;
  return read;
}

int save_format(char* buffer, size_t size, const save_record& record) {
  if (size == 0) return 0;
  int n = snprintf(buffer, size, "%d %d %d %d", record.level_number, record.score, record.kills, record.mice);
  if (n < 0) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(n) < size ? n : static_cast<int>(size - 1);
}

bool save_file_write(const char* path, const save_record& record) {
  if (strlen(path) + sizeof ".tmp" > save_path_limit) {
    printf("save file \"%s\" not written: the path is too long\n", path);
    return false;
  }
  char line[64];
  int length = save_format(line, sizeof line, record);
  if (!platform_replace_file(path, line, static_cast<size_t>(length))) {
    printf("save file \"%s\" not written: %s\n", path, strerror(errno));
    return false;
  }
  return true;
}

save_read_result save_file_read(const char* path, save_record& record) {
  FILE* f = fopen(path, "rb");
  if (!f) {
    printf("no save file \"%s\"\n", path);
    return save_missing;
  }
  char text[save_read_limit + 1];
  size_t length = fread(text, 1, save_read_limit, f);
  fclose(f);
  text[length] = '\0';

  save_record read = record;
  int count = save_parse(text, read);
  if (count == 0) {
    printf("save file \"%s\" holds no level number; ignored\n", path);
    return save_unusable;
  }
  if (!level_table_find(read.level_number)) {
    printf("save file \"%s\": level %d is not in the campaign; ignored\n", path, read.level_number);
    return save_unusable;
  }
  if (count < 4) printf("save file \"%s\" is cut short: %d of 4 numbers read\n", path, count);
  clamp_counter(path, "score", read.score);
  clamp_counter(path, "kills", read.kills);
  clamp_counter(path, "mice", read.mice);
  record = read;
  return save_read;
}
