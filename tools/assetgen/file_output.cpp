// Whole-file output for the generator, with the folders made first.
#include "tools/assetgen/file_output.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

bool make_parent_dirs(const char* path) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (parent.empty()) return true;
  std::error_code ec;
  std::filesystem::create_directories(parent, ec);
  if (ec) {
    printf("assetgen: cannot make folder %s: %s\n", parent.c_str(), ec.message().c_str());
    return false;
  }
  return true;
}

bool write_whole_file(const char* path, const uint8_t* data, size_t size) {
  if (!make_parent_dirs(path)) return false;
  FILE* f = fopen(path, "wb");
  if (!f) {
    printf("assetgen: cannot write %s\n", path);
    return false;
  }
  bool ok = fwrite(data, 1, size, f) == size;
  ok = (fclose(f) == 0) && ok;
  if (!ok) printf("assetgen: short write to %s\n", path);
  return ok;
}
