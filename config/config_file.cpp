// Reading "data/config.cfg" into the variable table.
#include "config/config_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/user_folder.h"
#include "app/video_settings.h"

namespace {

// The longest name the table holds is 19 characters and a value of a
// double variable is at most 9; integer values get room for a sign and ten
// digits. A longer token cannot be one of ours and is refused whole rather
// than cut to something nobody wrote.
constexpr size_t name_limit = 19;
constexpr size_t double_value_limit = 9;
constexpr size_t int_value_limit = 11;
constexpr size_t token_buffer_size = 32;

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// One whitespace-delimited token. `text` holds its first characters; `length`
// counts all of them, so a token that did not fit is known as such.
struct config_token {
  char text[token_buffer_size];
  size_t length;
  bool has_nul;  // a zero byte would end the text early and hide the rest
};

// Reads the next token. False at the end of the file.
bool read_token(FILE* file, config_token& token) {
  token = config_token{};
  int c = fgetc(file);
  while (c != EOF && is_space(c)) c = fgetc(file);
  if (c == EOF) return false;
  while (c != EOF && !is_space(c)) {
    if (c == 0) token.has_nul = true;
    if (token.length + 1 < sizeof token.text) token.text[token.length] = static_cast<char>(c);
    ++token.length;
    c = fgetc(file);
  }
  return true;
}

// The token's text for a log line, with the cut shown.
const char* shown(const config_token& token) {
  static char line[token_buffer_size + 8];
  snprintf(line, sizeof line, "%s%s", token.text, token.length + 1 > sizeof token.text ? "..." : "");
  return line;
}

// A decimal integer with an optional sign, the whole token, in 32 bits.
bool parse_int(const config_token& token, int32_t* out) {
  if (token.has_nul || token.length > int_value_limit) return false;
  errno = 0;
  char* end = nullptr;
  long value = strtol(token.text, &end, 10);
  if (end == token.text || *end != '\0' || errno == ERANGE || value < INT32_MIN || value > INT32_MAX)
    return false;
  *out = static_cast<int32_t>(value);
  return true;
}

// A finite decimal number, the whole token.
bool parse_double(const config_token& token, double* out) {
  if (token.has_nul || token.length > double_value_limit) return false;
  char* end = nullptr;
  double value = strtod(token.text, &end);
  if (end == token.text || *end != '\0' || !std::isfinite(value)) return false;
  *out = value;
  return true;
}

// "config "FILE": NAME WHY ("VALUE"), keeping CURRENT".
void log_kept(const char* file_name, const char* why, const config_token* value, const config_var& var) {
  printf("config \"%s\": %s %s", file_name, var.name, why);
  if (value) printf(" (\"%s\")", shown(*value));
  if (config_is_double(var.name))
    printf(", keeping %f\n", var.value.as_double);
  else
    printf(", keeping %d\n", var.value.as_int);
}

// Stores the value text into `var`, or keeps the variable's value and says
// why when the text is not a value of its type.
void store_value(const char* file_name, config_var& var, const config_token& value) {
  if (config_is_double(var.name)) {
    double as_double = 0.0;
    if (!parse_double(value, &as_double)) {
      log_kept(file_name, "value is not a number", &value, var);
      return;
    }
    printf("float %f\n", as_double);
    var.value.as_double = as_double;
  } else {
    int32_t as_int = 0;
    if (!parse_int(value, &as_int)) {
      log_kept(file_name, "value is not a whole number", &value, var);
      return;
    }
    var.value.as_int = as_int;
  }
}

// The file being read, with a token that was read as a value but turned
// out to be the next variable's name.
struct config_reader {
  FILE* file;
  const char* name;  // shown in the log
  config_token pending;
  bool has_pending;
  int tokens;  // tokens taken from the file so far
};

// The next token from the file.
bool take_token(config_reader& reader, config_token& token) {
  if (!read_token(reader.file, token)) return false;
  ++reader.tokens;
  return true;
}

// The next name: a token put back by the previous attempt, or the file's next.
bool next_token(config_reader& reader, config_token& token) {
  if (reader.has_pending) {
    token = reader.pending;
    reader.has_pending = false;
    return true;
  }
  return take_token(reader, token);
}

// Whether the token names a variable of the table.
bool names_a_variable(const config_table& table, const config_token& token) {
  return !token.has_nul && token.length <= name_limit && config_find(table, token.text) != nullptr;
}

// One name/value attempt. False when the file has ended.
bool read_pair(config_reader& reader, config_table& table) {
  config_token name;
  if (!next_token(reader, name)) return false;
  if (config_is_double(name.text)) printf("found a float!\n");
  config_var* var = names_a_variable(table, name) ? config_find(table, name.text) : nullptr;
  config_token value;
  bool has_value = take_token(reader, value);
  if (has_value && names_a_variable(table, value)) {
    // "vid_fov" on a line of its own, then "vid_mode 3": the value is
    // missing and the next pair is whole.
    reader.pending = value;
    reader.has_pending = true;
    has_value = false;
  }
  if (!var) {
    printf("config \"%s\": unknown variable \"%s\", ignored\n", reader.name, shown(name));
    return has_value || reader.has_pending;
  }
  if (!has_value) {
    log_kept(reader.name, "has no value", nullptr, *var);
    return reader.has_pending;
  }
  store_value(reader.name, *var, value);
  return true;
}

// Whether the next name in the file is one of the variables that stand
// after the game's 35. The token is kept for the next attempt either way.
bool next_names_later_variable(config_reader& reader, const config_table& table) {
  if (!reader.has_pending) {
    if (!take_token(reader, reader.pending)) return false;
    reader.has_pending = true;
  }
  if (!names_a_variable(table, reader.pending)) return false;
  const config_var* var = config_find(table, reader.pending.text);
  return var - table.vars >= config_var_count;
}

}  // namespace

void read_config_stream(config_table& table, FILE* file, const char* name) {
  config_reader reader{file, name ? name : "", {}, false, 0};
  int attempt = 0;
  bool ended = false;
  for (; attempt < config_var_count && !ended; ++attempt) ended = !read_pair(reader, table);
  // The file's first 35 pairs are read as ever. The later variables are
  // written after them, so the reading goes on only while the file names one
  // of those: a file of the game's own pairs is read exactly as before.
  for (; attempt < config_table_size && !ended && next_names_later_variable(reader, table); ++attempt)
    ended = !read_pair(reader, table);
  // An empty file is worth a word: the settings it should hold are missing.
  if (reader.tokens == 0)
    printf("config \"%s\": no settings in the file, keeping the defaults\n", reader.name);
}

void read_config_file_at(config_table& table, const char* path) {
  FILE* file = fopen(path, "rt");
  if (!file) {
    printf("config: cannot open \"%s\", keeping the defaults\n", path);
    return;
  }
  read_config_stream(table, file, path);
  fclose(file);
}

// An installed game keeps the player's config in the user's folder.
void read_config_file(config_table& table) { read_config_file_at(table, user_config_path()); }

void load_config(config_table& table, video_settings& video) {
  set_config_defaults(table);
  read_config_file(table);
  apply_video_vars_into(table, video);
}
