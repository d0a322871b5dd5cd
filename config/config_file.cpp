// Reading "data/config.cfg" into the variable table.
#include "config/config_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/video_settings.h"

namespace {

// Drops what is left of a token that did not fit its field, so that the
// remainder is not taken for the next token. Returns whether anything was
// dropped.
bool skip_rest_of_token(FILE* file) {
  bool dropped = false;
  int c;
  while ((c = fgetc(file)) != EOF && c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\v' &&
         c != '\f')
    dropped = true;
  if (c != EOF) ungetc(c, file);
  return dropped;
}

// Reads one token of at most 19 characters into `name`. On failure (end of
// file) the name keeps its previous contents.
void read_name(FILE* file, char (&name)[20]) {
  char token[20];
  if (fscanf(file, "%19s", token) != 1) return;
  if (skip_rest_of_token(file)) printf("config: name too long, cut to \"%s\"\n", token);
  memcpy(name, token, sizeof token);
}

// Reads one value token of at most 9 characters and converts it with atof.
// The text is cleared first, so a failed read gives 0.0.
double read_double(FILE* file) {
  char text[10] = {};
  if (fscanf(file, "%9s", text) == 1 && skip_rest_of_token(file))
    printf("config: value too long, cut to \"%s\"\n", text);
  return atof(text);
}

// One name/value attempt. `holder` is the integer value holder that keeps
// its contents when a conversion fails.
void read_pair(FILE* file, config_table& table, char (&name)[20], int& holder) {
  read_name(file, name);
  double as_double = 0.0;
  bool is_double = config_is_double(name);
  if (is_double) {
    printf("found a float!\n");
    as_double = read_double(file);
  } else {
    // A failed conversion consumes nothing and leaves the holder as it was,
    // so the variable gets the previous value and the text is the next name.
    int converted = fscanf(file, "%d", &holder);
    (void)converted;
  }
  config_var* var = config_find(table, name);
  if (!var) return;
  if (is_double) {
    printf("float %f\n", as_double);
    var->value.as_double = as_double;
  } else {
    var->value.as_int = holder;
  }
}

}  // namespace

void read_config_file_at(config_table& table, const char* path) {
  FILE* file = fopen(path, "rt");
  if (!file) {
    printf("config: cannot open \"%s\", keeping the defaults\n", path);
    return;
  }
  char name[20] = {};
  int holder = 0;
  for (int attempt = 0; attempt < config_var_count; ++attempt) read_pair(file, table, name, holder);
  fclose(file);
}

void read_config_file(config_table& table) { read_config_file_at(table, "data/config.cfg"); }

void load_config(config_table& table, video_settings& video) {
  set_config_defaults(table);
  read_config_file(table);
  apply_video_vars_into(table, video);
}
