// The table of the 35 configuration variables and their defaults.
#pragma once
#include <cstdint>

constexpr int config_var_count = 35;
constexpr int config_name_size = 24;

// A variable's value: a double when the name begins with "m", otherwise a
// signed 32-bit integer.
union config_value {
  double as_double;
  int32_t as_int;
};

// One named variable.
struct config_var {
  char name[config_name_size];
  config_value value;
};

// All variables in their fixed order, then the flag the console raises when
// it sets one (bind_keys clears it).
struct config_table {
  config_var vars[config_var_count];
  int32_t config_changed;
};

// Whether a variable of this name holds a double (names beginning with "m").
bool config_is_double(const char* name);

// Writes the 35 variables with their defaults, in table order. Called by
// load_config before the file is read.
void set_config_defaults(config_table& table);

// The variable called `name` (exact, case-sensitive), or null.
config_var* config_find(config_table& table, const char* name);
const config_var* config_find(const config_table& table, const char* name);
