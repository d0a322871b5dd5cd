// Finding the directory that holds data/.
#include "app/data_directory.h"

#include <cstdio>

#include "platform/directory.h"

bool enter_data_directory() {
  if (platform_is_directory("data")) return true;
  char dir[4096];
  if (platform_executable_directory(dir, sizeof dir) && platform_set_current_directory(dir) &&
      platform_is_directory("data"))
    return true;
  printf("no data directory here or beside the executable\n");
  return false;
}
