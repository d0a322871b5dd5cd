// Finding the directory that holds data/.
#include "app/data_directory.h"

#include <cstdio>

#include "platform/directory.h"

#ifndef TARVO_INSTALL_DATA_RELATIVE
#define TARVO_INSTALL_DATA_RELATIVE "../share/tarvo"
#endif

bool enter_data_directory() {
  if (platform_is_directory("data")) return true;
  char dir[4096];
  if (!platform_executable_directory(dir, sizeof dir)) {
    printf("no data directory here, and the executable's directory is unknown\n");
    return false;
  }
  if (platform_set_current_directory(dir) && platform_is_directory("data")) return true;
  // An installed game: the executable in bin/, its data in share/tarvo/data
  // under the same prefix, wherever the prefix is.
  char installed[4200];
  snprintf(installed, sizeof installed, "%s/%s", dir, TARVO_INSTALL_DATA_RELATIVE);
  if (platform_set_current_directory(installed) && platform_is_directory("data")) return true;
  printf("no data directory here, beside the executable or in \"%s\"\n", installed);
  return false;
}
