// Reading and writing demo files.
//
// A demo is plain text, one record per line: a header naming the format
// and its version, the map, every configuration variable, the skill, the
// number of ticks, one line per tick, and the end-state line. The reader takes
// nothing on trust: every line has a bounded length, every number its
// range, and the tick count is only believed as far as the lines go.
#include "app/demo_file.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "config/key_state.h"
#include "config/skill.h"

namespace {

// A full tick line is well under 1 KB (102 key changes of at most 7
// characters, six numbers and a digest).
constexpr size_t line_size = 2048;
// The longest number a field may spell (a hexadecimal double is about 24).
constexpr size_t token_size = 48;

constexpr char magic[] = "tarvo demo";
constexpr char end_prefix[] = "demo end: ";

struct reader {
  FILE* file;
  const char* name;
  int line_number;
  char line[line_size];
  char problem[160];
};

enum line_result { line_ok, line_eof, line_too_long, line_control, line_cut };

// Takes the next line without its line end (a "\r" before it goes too).
// Every line the writer makes ends with a line end, so one that ends with
// the file instead was cut short.
line_result next_line(reader& r) {
  size_t n = 0;
  int c = 0;
  bool any = false;
  bool ended = false;
  while ((c = getc(r.file)) != EOF) {
    any = true;
    if (c == '\n') {
      ended = true;
      break;
    }
    if (n + 1 >= sizeof r.line) return line_too_long;
    r.line[n++] = static_cast<char>(c);
  }
  if (!any) return line_eof;
  ++r.line_number;
  if (n > 0 && r.line[n - 1] == '\r') --n;
  r.line[n] = '\0';
  for (size_t i = 0; i < n; ++i)
    if (static_cast<unsigned char>(r.line[i]) < 32 && r.line[i] != '\t') return line_control;
  return ended ? line_ok : line_cut;
}

// Records why the demo is refused; the first reason wins. Returns false so
// that callers can `return fail(...)`.
bool fail(reader& r, const char* text) {
  if (r.problem[0] == '\0') snprintf(r.problem, sizeof r.problem, "%s", text);
  return false;
}

// Reads the next line, which must exist: its absence means the file was cut.
bool need_line(reader& r, const char* what) {
  switch (next_line(r)) {
    case line_ok:
      return true;
    case line_eof: {
      if (ferror(r.file)) return fail(r, "the file cannot be read");
      char text[120];
      snprintf(text, sizeof text, "the file ends before %s (truncated)", what);
      return fail(r, text);
    }
    case line_too_long:
      ++r.line_number;
      return fail(r, "the line is too long");
    case line_control:
      return fail(r, "the line holds a control character");
    case line_cut:
      return fail(r, "the file ends inside the line (truncated)");
  }
  return false;
}

bool is_space(char c) { return c == ' ' || c == '\t'; }

const char* skip_spaces(const char* p) {
  while (is_space(*p)) ++p;
  return p;
}

// Copies the next space-separated token into `out`. False when there is
// none or it is longer than any number the format writes.
bool take_token(const char*& p, char (&out)[token_size]) {
  p = skip_spaces(p);
  size_t n = 0;
  while (*p && !is_space(*p)) {
    if (n + 1 >= token_size) return false;
    out[n++] = *p++;
  }
  out[n] = '\0';
  return n > 0;
}

bool parse_int64(const char* token, int base, long long low, long long high, long long* out) {
  errno = 0;
  char* end = nullptr;
  long long value = strtoll(token, &end, base);
  if (errno != 0 || end == token || *end != '\0' || value < low || value > high) return false;
  *out = value;
  return true;
}

bool take_int32(const char*& p, int32_t low, int32_t high, int32_t* out) {
  char token[token_size];
  long long value = 0;
  if (!take_token(p, token) || !parse_int64(token, 10, low, high, &value)) return false;
  *out = static_cast<int32_t>(value);
  return true;
}

// A digest: one to sixteen hexadecimal digits.
bool take_hex64(const char*& p, uint64_t* out) {
  char token[token_size];
  if (!take_token(p, token) || strlen(token) > 16) return false;
  for (const char* c = token; *c; ++c)
    if (!isxdigit(static_cast<unsigned char>(*c))) return false;
  *out = strtoull(token, nullptr, 16);
  return true;
}

bool take_double(const char*& p, double* out) {
  char token[token_size];
  if (!take_token(p, token)) return false;
  errno = 0;
  char* end = nullptr;
  double value = strtod(token, &end);
  if (end == token || *end != '\0' || !std::isfinite(value)) return false;
  *out = value;
  return true;
}

bool at_line_end(const char* p) { return *skip_spaces(p) == '\0'; }

// "KEYWORD rest": the rest of the line after the keyword and one space,
// or null when the line does not start with the keyword.
const char* after_keyword(const char* line, const char* keyword) {
  size_t n = strlen(keyword);
  if (strncmp(line, keyword, n) != 0 || line[n] != ' ') return nullptr;
  return line + n + 1;
}

bool read_header(reader& r) {
  if (!need_line(r, "its header")) return false;
  const char* p = after_keyword(r.line, magic);
  if (!p) return fail(r, "not a Tarvo demo");
  int32_t version = 0;
  if (!take_int32(p, 0, INT32_MAX, &version) || !at_line_end(p)) return fail(r, "not a Tarvo demo");
  if (version != demo_version) {
    char text[120];
    snprintf(text, sizeof text, "it is of version %d; this game reads version %d", version, demo_version);
    return fail(r, text);
  }
  return true;
}

bool read_map(reader& r, demo& d) {
  if (!need_line(r, "the map line")) return false;
  const char* path = after_keyword(r.line, "map");
  if (!path || *path == '\0') return fail(r, "expected \"map PATH\"");
  if (strlen(path) > static_cast<size_t>(demo_max_path)) return fail(r, "the map path is too long");
  d.map_path = path;
  if (!need_line(r, "the map digest")) return false;
  const char* p = after_keyword(r.line, "map_digest");
  if (!p || !take_hex64(p, &d.map_digest) || !at_line_end(p)) return fail(r, "expected \"map_digest HEX\"");
  return true;
}

// The variables: every one of the table's, once each, in any order.
bool read_variables(reader& r, demo& d) {
  set_config_defaults(d.config);
  bool seen[config_var_count] = {};
  for (int n = 0; n < config_var_count; ++n) {
    if (!need_line(r, "all the variables")) return false;
    const char* p = after_keyword(r.line, "var");
    char name[token_size];
    if (!p || !take_token(p, name)) return fail(r, "expected \"var NAME VALUE\"");
    config_var* var = config_find(d.config, name);
    // The gamepad's variables change nothing a replay sees: a demo holds the game's 35 only.
    if (!var || var - d.config.vars >= config_var_count) return fail(r, "unknown variable");
    int index = static_cast<int>(var - d.config.vars);
    if (seen[index]) return fail(r, "a variable is given twice");
    seen[index] = true;
    bool ok = config_is_double(var->name) ? take_double(p, &var->value.as_double)
                                          : take_int32(p, INT32_MIN, INT32_MAX, &var->value.as_int);
    if (!ok || !at_line_end(p)) return fail(r, "the variable's value is not a number of its type");
  }
  if (config_at(d.config, cfg_vid_fps).value.as_int < 1)
    return fail(r, "vid_fps below 1 gives no tick length");
  return true;
}

// "skill N" where the next line has it. Demos recorded before the game had a
// skill go straight on to the tick count: they were played at Normal, which
// the variables' defaults already hold.
bool read_skill(reader& r, demo& d) {
  if (!need_line(r, "the tick count")) return false;
  const char* p = after_keyword(r.line, "skill");
  if (!p) return true;
  int32_t skill = 0;
  if (!take_int32(p, skill_easy, skill_hard, &skill) || !at_line_end(p))
    return fail(r, "expected \"skill N\" with N 0 (Easy), 1 (Normal) or 2 (Hard)");
  config_at(d.config, cfg_skill).value.as_int = skill;
  return need_line(r, "the tick count");
}

// "ticks COUNT", on the line read_skill left.
bool read_tick_count(reader& r, int32_t* count) {
  const char* p = after_keyword(r.line, "ticks");
  char token[token_size];
  long long value = 0;
  if (!p || !take_token(p, token) || !parse_int64(token, 10, 0, LLONG_MAX, &value) || !at_line_end(p))
    return fail(r, "expected \"ticks COUNT\" with a count of 0 or more");
  if (value > demo_max_ticks) {
    char text[120];
    snprintf(text, sizeof text, "%lld ticks is more than the %d a demo may hold", value, demo_max_ticks);
    return fail(r, text);
  }
  *count = static_cast<int32_t>(value);
  return true;
}

// "DIGEST DX DY LEFT LEFT_PREVIOUS RIGHT RIGHT_PREVIOUS [SLOT:VALUE]..."
bool read_tick(reader& r, demo& d) {
  const char* p = r.line;
  demo_tick tick{};
  if (!take_hex64(p, &tick.digest)) return fail(r, "a tick line must start with its state digest");
  for (int i = 0; i < 6; ++i) {
    bool button = i >= 2;
    if (!take_int32(p, button ? 0 : INT32_MIN, button ? 1 : INT32_MAX, &tick.mouse[i]))
      return fail(r, "the mouse needs two motions and four button states of 0 or 1");
  }
  tick.first_change = static_cast<uint32_t>(d.key_changes.size());
  int previous_slot = -1;
  char token[token_size];
  while (take_token(p, token)) {
    char* colon = strchr(token, ':');
    long long slot = 0;
    long long value = 0;
    if (!colon) return fail(r, "a key change is written SLOT:VALUE");
    *colon = '\0';
    if (!parse_int64(token, 10, 0, key_slot_count - 1, &slot) ||
        !parse_int64(colon + 1, 10, key_up, key_released, &value))
      return fail(r, "a key change names a slot from 0 to 101 and a value from 0 to 3");
    if (slot <= previous_slot) return fail(r, "key changes must name each slot once, in ascending order");
    previous_slot = static_cast<int>(slot);
    d.key_changes.push_back(demo_key_change{static_cast<uint8_t>(slot), static_cast<uint8_t>(value)});
    ++tick.change_count;
  }
  d.ticks.push_back(tick);
  return true;
}

bool read_end(reader& r, demo& d) {
  if (!need_line(r, "the end line")) return false;
  const char* text = after_keyword(r.line, "end");
  if (!text || strncmp(text, end_prefix, sizeof end_prefix - 1) != 0)
    return fail(r, "expected \"end demo end: ...\" after the last tick");
  if (strlen(text) > static_cast<size_t>(demo_max_end_line)) return fail(r, "the end line is too long");
  d.end_line = text;
  // Blank lines may follow; anything else means two files were joined.
  for (line_result got = next_line(r); got != line_eof; got = next_line(r))
    if ((got != line_ok && got != line_cut) || !at_line_end(r.line))
      return fail(r, "text follows the end line");
  return true;
}

bool read_all(reader& r, demo& d) {
  int32_t count = 0;
  if (!read_header(r) || !read_map(r, d) || !read_variables(r, d) || !read_skill(r, d) ||
      !read_tick_count(r, &count))
    return false;
  // Room is made as the lines come, never for the announced count alone.
  d.ticks.reserve(static_cast<size_t>(count < 65536 ? count : 65536));
  for (int32_t i = 0; i < count; ++i) {
    char what[80];
    snprintf(what, sizeof what, "tick %d of %d", i + 1, count);
    if (!need_line(r, what) || !read_tick(r, d)) return false;
  }
  return read_end(r, d);
}

void write_double(FILE* file, double value) { fprintf(file, "%a", value); }

}  // namespace

bool demo_read_stream(FILE* file, const char* name, demo& out) {
  out = demo{};
  reader r{};
  r.file = file;
  r.name = name;
  if (read_all(r, out)) return true;
  if (r.line_number > 0)
    printf("demo \"%s\" refused: line %d: %s\n", name, r.line_number, r.problem);
  else
    printf("demo \"%s\" refused: %s\n", name, r.problem);
  out = demo{};
  return false;
}

bool demo_read_file(const char* path, demo& out) {
  errno = 0;
  FILE* file = fopen(path, "rb");
  if (!file) {
    printf("demo \"%s\" refused: the file cannot be opened (%s)\n", path, strerror(errno));
    out = demo{};
    return false;
  }
  bool ok = demo_read_stream(file, path, out);
  fclose(file);
  return ok;
}

bool demo_write_stream(FILE* file, const demo& d) {
  fprintf(file, "%s %d\n", magic, demo_version);
  fprintf(file, "map %s\n", d.map_path.c_str());
  fprintf(file, "map_digest %016" PRIx64 "\n", d.map_digest);
  for (int i = 0; i < config_var_count; ++i) {
    const config_var& var = d.config.vars[i];
    fprintf(file, "var %s ", var.name);
    if (config_is_double(var.name))
      write_double(file, var.value.as_double);
    else
      fprintf(file, "%d", var.value.as_int);
    fputc('\n', file);
  }
  fprintf(file, "skill %d\n", config_skill(d.config));
  fprintf(file, "ticks %zu\n", d.ticks.size());
  for (const demo_tick& tick : d.ticks) {
    fprintf(file, "%016" PRIx64 " %d %d %d %d %d %d", tick.digest, tick.mouse[0], tick.mouse[1],
            tick.mouse[2], tick.mouse[3], tick.mouse[4], tick.mouse[5]);
    for (uint32_t i = 0; i < tick.change_count; ++i) {
      const demo_key_change& change = d.key_changes[tick.first_change + i];
      fprintf(file, " %d:%d", change.slot, change.value);
    }
    fputc('\n', file);
  }
  fprintf(file, "end %s\n", d.end_line.c_str());
  return ferror(file) == 0;
}

bool demo_write_file(const char* path, const demo& d) {
  std::string temporary = std::string(path) + ".tmp";
  errno = 0;
  FILE* file = fopen(temporary.c_str(), "wb");
  if (!file) {
    printf("record: cannot write \"%s\" (%s)\n", temporary.c_str(), strerror(errno));
    return false;
  }
  bool written = demo_write_stream(file, d);
  bool flushed = fflush(file) == 0 && fsync(fileno(file)) == 0;
  bool closed = fclose(file) == 0;
  if (!written || !flushed || !closed) {
    printf("record: writing \"%s\" failed (%s)\n", temporary.c_str(), strerror(errno));
    remove(temporary.c_str());
    return false;
  }
  if (rename(temporary.c_str(), path) != 0) {
    printf("record: cannot rename \"%s\" to \"%s\" (%s)\n", temporary.c_str(), path, strerror(errno));
    remove(temporary.c_str());
    return false;
  }
  return true;
}

bool file_digest(const char* path, uint64_t* out) {
  FILE* file = fopen(path, "rb");
  if (!file) return false;
  uint64_t hash = 14695981039346656037ull;
  unsigned char buffer[65536];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
    for (size_t i = 0; i < n; ++i) hash = (hash ^ buffer[i]) * 1099511628211ull;
  bool ok = ferror(file) == 0;
  fclose(file);
  if (ok) *out = hash;
  return ok;
}
