// The shipped data/config.cfg: every variable in table order (the game's 35, then the gamepad's)
// with values for a good first run.
#pragma once
#include <string>

// One shipped setting. Names beginning with "m" hold doubles, all others integers.
struct shipped_setting {
  const char* name;
  double value;
};

// Number of settings in the shipped file.
constexpr int shipped_setting_count = 40;

// Setting k (0 to shipped_setting_count - 1) in table order.
const shipped_setting& shipped_setting_at(int k);

// The text of a double setting: the shortest that reads back as the value, with a decimal
// point ("1.0", "0.06").
std::string shipped_double_text(double value);

// Writes the config file to path, one "name value" pair per line. Returns false on failure.
bool write_shipped_config(const char* path);
