// Decoding an Ogg Opus file into one OpenAL buffer.
#pragma once
#include <cstdint>

// Decodes the whole file at `path` to 16-bit samples at 48000 Hz and uploads
// them into a new buffer: mono for a one-channel file, stereo otherwise.
// Logs the file's channels, samples and whole seconds. Returns the buffer, or
// 0 when the file cannot be opened or decoded, or when there is no device.
// Used for the fixed sounds and for each level's music.
uint32_t load_sound(const char* path);
