// Reading the world-texture section of a map file.
#pragma once

struct map_stream;
struct texture_table;
struct world_texture;

// Reads TEXTURE: records up to the first token that is not "TEXTURE:" (that
// token is consumed; "EOTC" is logged), linking each new entry behind
// `previous` and loading its image with mipmaps. The entry with id 1 (the
// last one when several have it) becomes the table's `world_textures`.
// When no entry read here has id 1, no lookup can ever reach them, so they
// are freed at once. When the file is rejected every entry read here is
// freed and the table's `world_textures` is left as it was.
void world_textures_read(map_stream& s, texture_table& table, world_texture* previous);
