// The open map file as the section readers see it: tokens, numbers and rejection.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Limits beyond which a map file is refused rather than trusted.
constexpr int map_max_tree_depth = 4096;     // nesting of NODE records
constexpr int map_max_list_records = 65536;  // AINODE: and ENT: records each
constexpr int map_max_textures = 4096;       // TEXTURE: records
constexpr int map_max_links = 1024;          // links of one navigation node
constexpr int map_max_vertices = 65536;      // vertices of one polygon
constexpr int map_max_indices = 1 << 20;     // indices of one polygon
constexpr int map_max_light_side = 1024;     // rows or columns of a light grid

// Token buffer sizes, terminator included.
constexpr size_t map_tree_token_size = 50;     // any token of the tree section
constexpr size_t map_list_token_size = 12;     // numbers and keywords of the list sections
constexpr size_t map_entity_header_size = 32;  // the token opening or closing an entity record

// One map file being read. `failed` is set by the first rejection; from then
// on every read fails, so the readers unwind without touching the file again.
struct map_stream {
  FILE* file;
  const char* name;  // shown in rejection lines
  int32_t failed;
  int32_t depth;  // NODE records currently open
};

// A stream over an already open file; `name` is kept by pointer.
map_stream map_stream_over(FILE* file, const char* name);

// Logs `map "NAME" rejected: PROBLEM` once (the first problem only) and
// marks the stream failed.
void map_reject(map_stream& s, const char* problem_format, ...) __attribute__((format(printf, 2, 3)));

// Reads the next whitespace-separated token into `buf` (size bytes with the
// terminator). False, with the stream rejected, at the end of the file or
// when the token does not fit; false at once when the stream has failed.
bool map_read_token(map_stream& s, char* buf, size_t size);

// Reads a token and converts it with atoi's rules (a leading integer, 0 when
// there is none), clamped to the 32-bit range.
bool map_read_int(map_stream& s, size_t size, int32_t* out);

// Reads a token and converts it with atof's rules.
bool map_read_double(map_stream& s, size_t size, double* out);

// atoi's rules on a token, clamped to the 32-bit range.
int32_t map_token_int(const char* token);
