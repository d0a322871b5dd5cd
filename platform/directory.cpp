// The current directory and the executable's own directory, on POSIX.
#include "platform/directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

bool platform_get_current_directory(char* out, size_t size) {
  if (size == 0) return false;
  if (!getcwd(out, size)) {
    out[0] = '\0';
    return false;
  }
  return true;
}

bool platform_set_current_directory(const char* path) { return chdir(path) == 0; }

bool platform_executable_directory(char* out, size_t size) {
  if (size == 0) return false;
  ssize_t n = readlink("/proc/self/exe", out, size - 1);
  if (n <= 0) {
    out[0] = '\0';
    return false;
  }
  out[n] = '\0';
  char* slash = strrchr(out, '/');
  if (slash == out) slash[1] = '\0';
  else if (slash) *slash = '\0';
  return true;
}

bool platform_is_directory(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}
