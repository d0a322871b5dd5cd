// Reading a whole map file: its four sections in order.
#pragma once

struct ai_node;
struct bsp_node;
struct entity;
struct map_stream;
struct texture_table;

// Reads the navigation nodes (and links them), the entities (appended
// behind `entity_list`, the bare list head), the world textures into the
// table, and the tree into a new zero-filled root stored in `bsp_root` (the
// root held before is freed first). "reading elist..\n" is logged before
// the entity section, as the level load does. False when the file is
// rejected: everything read is then freed, the head is bare again and
// bsp_root, ai_node_list and the table's world_textures are null.
bool map_read_level(map_stream& s, entity* entity_list, texture_table& textures, bsp_node*& bsp_root,
                    ai_node*& ai_node_list);
