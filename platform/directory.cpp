// The current directory and the executable's own directory, on POSIX.
#include "platform/directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
  if (slash == out)
    slash[1] = '\0';
  else if (slash)
    *slash = '\0';
  return true;
}

bool platform_is_directory(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool platform_make_directories(const char* path) {
  if (!path || !path[0]) return false;
  std::string partial;
  const char* p = path;
  // Each parent in turn, then the directory itself.
  while (true) {
    const char* slash = strchr(p + (p == path && *p == '/' ? 1 : 0), '/');
    partial.assign(path, slash ? static_cast<size_t>(slash - path) : strlen(path));
    if (!partial.empty() && !platform_is_directory(partial.c_str()) && mkdir(partial.c_str(), 0755) != 0 &&
        errno != EEXIST)
      return false;
    if (!slash) break;
    p = slash + 1;
  }
  return platform_is_directory(path);
}

bool platform_user_data_directory(char* out, size_t size) {
  if (size == 0) return false;
  out[0] = '\0';
  const char* xdg = getenv("XDG_DATA_HOME");
  const char* home = getenv("HOME");
  int n = 0;
  if (xdg && xdg[0] == '/')
    n = snprintf(out, size, "%s/tarvo", xdg);
  else if (home && home[0])
    n = snprintf(out, size, "%s/.local/share/tarvo", home);
  else
    return false;
  if (n < 0 || static_cast<size_t>(n) >= size) {
    out[0] = '\0';
    return false;
  }
  return true;
}

bool platform_directory_writable(const char* path) {
  if (!platform_is_directory(path)) return false;
  std::string probe = std::string(path) + "/.tarvo-write-probe-XXXXXX";
  int fd = mkstemp(&probe[0]);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

bool platform_is_file(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

bool platform_replace_file(const char* path, const char* bytes, size_t size) {
  const std::string temporary = std::string(path) + ".tmp";
  FILE* file = fopen(temporary.c_str(), "wb");
  if (!file) return false;
  bool ok = fwrite(bytes, 1, size, file) == size;
  int error = ok ? 0 : errno;
  if (fflush(file) != 0 && ok) ok = false, error = errno;
  // A file on a device that cannot be synced (EINVAL) has still been handed
  // over; any other failure means the bytes may not be on the disk.
  if (ok && fsync(fileno(file)) != 0 && errno != EINVAL) ok = false, error = errno;
  if (fclose(file) != 0 && ok) ok = false, error = errno;
  if (ok && rename(temporary.c_str(), path) != 0) ok = false, error = errno;
  if (!ok) unlink(temporary.c_str());
  errno = error;
  return ok;
}
