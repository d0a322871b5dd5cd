// Collecting error and warning lines of a compile.
#include <cstdarg>
#include <cstdio>

#include "tools/mapc/mapc_source.h"

namespace {

std::string format_line(const char* format, va_list args) {
  char buf[1024];
  vsnprintf(buf, sizeof buf, format, args);
  return buf;
}

}  // namespace

void mapc_error(mapc_log& log, const char* format, ...) {
  va_list args;
  va_start(args, format);
  log.errors.push_back(format_line(format, args));
  va_end(args);
}

void mapc_warning(mapc_log& log, const char* format, ...) {
  va_list args;
  va_start(args, format);
  log.warnings.push_back(format_line(format, args));
  va_end(args);
}
