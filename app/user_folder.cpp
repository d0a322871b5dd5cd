// Where the files the game writes live.
#include "app/user_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "game/save_file.h"
#include "platform/directory.h"

namespace {

constexpr char data_config[] = "data/config.cfg";
constexpr size_t path_size = 4096;

// The user's folder, empty while data/ takes the files.
char folder[path_size];
char config_path[path_size];
char save_path[path_size];

// `name` inside the user's folder, into `out`. False when it does not fit.
bool in_folder(const char* name, char* out) {
  int n = snprintf(out, path_size, "%s/%s", folder, name);
  return n > 0 && static_cast<size_t>(n) < path_size;
}

// Copies the file `from` to `to` through "<to>.tmp", so a failed copy
// leaves no half a config behind. Logs a failure.
bool copy_file(const char* from, const char* to) {
  FILE* in = fopen(from, "rb");
  if (!in) {
    printf("user folder: cannot read \"%s\": %s\n", from, strerror(errno));
    return false;
  }
  char temp[path_size];
  int length = snprintf(temp, sizeof temp, "%s.tmp", to);
  FILE* out = length > 0 && static_cast<size_t>(length) < sizeof temp ? fopen(temp, "wb") : nullptr;
  if (!out) {
    printf("user folder: cannot write \"%s\": %s\n", to, strerror(errno));
    fclose(in);
    return false;
  }
  char block[4096];
  size_t n = 0;
  bool ok = true;
  while (ok && (n = fread(block, 1, sizeof block, in)) > 0) ok = fwrite(block, 1, n, out) == n;
  ok = ok && !ferror(in);
  ok = fclose(out) == 0 && ok;
  fclose(in);
  if (!ok || rename(temp, to) != 0) {
    printf("user folder: cannot write \"%s\": %s\n", to, strerror(errno));
    unlink(temp);
    return false;
  }
  return true;
}

// The first run copies the shipped config, which the player may then edit;
// a config already there is the player's and is left alone.
void copy_shipped_config() {
  if (platform_is_file(config_path)) return;
  if (!platform_is_file(data_config)) {
    printf("user folder: no \"%s\" to copy\n", data_config);
    return;
  }
  if (copy_file(data_config, config_path))
    printf("user folder: copied \"%s\" to \"%s\"\n", data_config, config_path);
}

}  // namespace

void user_folder_reset() {
  folder[0] = '\0';
  config_path[0] = '\0';
  save_path[0] = '\0';
}

void user_folder_setup() {
  user_folder_reset();
  if (platform_directory_writable("data")) return;
  char wanted[path_size];
  if (!platform_user_data_directory(wanted, sizeof wanted)) {
    printf(
        "user folder: data/ cannot be written and neither XDG_DATA_HOME nor HOME names a folder; "
        "nothing will be saved\n");
    return;
  }
  if (!platform_make_directories(wanted) || !platform_directory_writable(wanted)) {
    printf("user folder: data/ cannot be written and neither can \"%s\"; nothing will be saved\n", wanted);
    return;
  }
  snprintf(folder, sizeof folder, "%s", wanted);
  if (!in_folder("config.cfg", config_path) || !in_folder("save.sav", save_path)) {
    printf("user folder: the path \"%s\" is too long; nothing will be saved\n", wanted);
    user_folder_reset();
    return;
  }
  printf("user folder: data/ cannot be written; the save, screenshots and config go to \"%s\"\n", folder);
  copy_shipped_config();
}

bool user_folder_active() { return folder[0] != '\0'; }

const char* user_folder_path() { return folder; }

const char* user_config_path() {
  return user_folder_active() && platform_is_file(config_path) ? config_path : data_config;
}

const char* user_save_read_path() {
  return user_folder_active() && platform_is_file(save_path) ? save_path : save_file_path;
}

const char* user_save_write_path() { return user_folder_active() ? save_path : save_file_path; }

const char* user_config_write_path() { return user_folder_active() ? config_path : data_config; }
