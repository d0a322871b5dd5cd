// What the compiler's fuzz targets share: compile a source text and, when
// the compiler accepts it, read the map file it wrote with the game's own
// readers, which must accept it too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Parses `text` as a level source named `file` (".map" or a grid), compiles
// it and loads the result as the game would; aborts when the game refuses a
// file the compiler wrote.
void mapc_fuzz_one(const uint8_t* data, size_t size, const char* file);

// Quietens the log and moves into an empty directory, so texture paths from
// the input find nothing.
void mapc_fuzz_init();
