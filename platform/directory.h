// The current directory and the executable's own directory.
#pragma once
#include <cstddef>

// Copies the current directory into `out` (size bytes, terminated). False
// when it does not fit or cannot be read; `out` is then an empty string.
bool platform_get_current_directory(char* out, size_t size);

// Changes the current directory. False when it does not exist.
bool platform_set_current_directory(const char* path);

// Copies the directory holding the running executable into `out`.
bool platform_executable_directory(char* out, size_t size);

// Whether `path` names an existing directory.
bool platform_is_directory(const char* path);

// Makes the directory `path` and any missing parents (mode 0755). True when
// it exists as a directory afterwards.
bool platform_make_directories(const char* path);

// Copies the user's own data directory for the game into `out`:
// $XDG_DATA_HOME/tarvo, or $HOME/.local/share/tarvo. False when neither
// variable is set or the path does not fit. The directory may not exist.
bool platform_user_data_directory(char* out, size_t size);

// Whether files can be made in the directory `path`: a probe file is made
// there and removed again, so a read-only mount counts as read-only even for
// root.
bool platform_directory_writable(const char* path);

// Whether `path` names an existing regular file.
bool platform_is_file(const char* path);

// Writes `size` bytes as the file `path` through "<path>.tmp", flushed to
// disk and renamed over it, so a reader finds the old file or the whole new
// one. False when any step fails (errno tells why); the temporary file is
// then removed and `path` is untouched.
bool platform_replace_file(const char* path, const char* bytes, size_t size);
