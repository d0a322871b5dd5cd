// The open map file as the section readers see it: tokens, numbers and rejection.
#include "world/map_stream.h"

#include <cstdarg>
#include <cstdlib>

map_stream map_stream_over(FILE* file, const char* name) {
  map_stream s{};
  s.file = file;
  s.name = name ? name : "";
  return s;
}

void map_reject(map_stream& s, const char* problem_format, ...) {
  if (s.failed) return;
  s.failed = 1;
  char problem[160];
  va_list args;
  va_start(args, problem_format);
  vsnprintf(problem, sizeof problem, problem_format, args);
  va_end(args);
  printf("map \"%s\" rejected: %s\n", s.name, problem);
}

namespace {

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

bool map_read_token(map_stream& s, char* buf, size_t size) {
  buf[0] = '\0';
  if (s.failed || !s.file) {
    if (!s.file) map_reject(s, "the file is not open");
    return false;
  }
  int c = getc_unlocked(s.file);
  while (c != EOF && is_space(c)) c = getc_unlocked(s.file);
  if (c == EOF) {
    map_reject(s, "the file ends inside a record");
    return false;
  }
  size_t length = 0;
  while (c != EOF && !is_space(c)) {
    if (length + 1 >= size) {
      map_reject(s, "a token is longer than %zu characters", size - 1);
      return false;
    }
    buf[length++] = static_cast<char>(c);
    c = getc_unlocked(s.file);
  }
  buf[length] = '\0';
  return true;
}

int32_t map_token_int(const char* token) {
  long long value = strtoll(token, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool map_read_int(map_stream& s, size_t size, int32_t* out) {
  char token[map_tree_token_size];
  if (size > sizeof token) size = sizeof token;
  if (!map_read_token(s, token, size)) return false;
  *out = map_token_int(token);
  return true;
}

bool map_read_double(map_stream& s, size_t size, double* out) {
  char token[map_tree_token_size];
  if (size > sizeof token) size = sizeof token;
  if (!map_read_token(s, token, size)) return false;
  *out = strtod(token, nullptr);
  return true;
}
