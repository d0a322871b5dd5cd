// Writing generated files: parent folders made on demand, whole files written at once.
#pragma once

#include <cstddef>
#include <cstdint>

// Makes every missing folder on the way to the file at path. Returns false when one cannot be made.
bool make_parent_dirs(const char* path);
// Writes size bytes to path, replacing the file, after making its folders. Returns false on failure
// and prints why.
bool write_whole_file(const char* path, const uint8_t* data, size_t size);
