// Writing settings changed in the game back into the config file.
#pragma once

#include "config/config_table.h"

// Writes the variables named in `names` (`count` of them) into the config
// file `write_path`, starting from the text of `read_path` (none when it
// cannot be read): the value after each name is replaced where the file
// names it; a variable the file lacks gets a line of its own, one of the
// game's 35 before the first line of a later variable (so the reader still
// takes it), a later one at the end. Every other byte stays as it was. The
// file is not written when it already holds every value. Logs what it
// wrote, or why it could not; returns false only when the write failed.
bool config_save_vars(const config_table& table, const char* const* names, int count, const char* read_path,
                      const char* write_path);

// config_save_vars on the config the game read, written where the game's
// config belongs (the user's folder when data/ cannot be written).
bool config_save(const config_table& table, const char* const* names, int count);
