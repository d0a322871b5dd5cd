// Reading the tree section of a map file: one NODE record and its subtrees.
#pragma once

struct bsp_node;
struct map_stream;
struct texture_table;

// Reads one NODE record into the zero-filled `node`, allocating and reading
// its children. A keyword slot holding another word loses that token and its
// block. Every step logs its line. Polygons take their texture from the
// table's world_textures list (texid -1 or an unknown id: the default world
// texture). An inner node that ends up without a child is given an empty
// leaf there, so a query or a draw may always descend.
// The file is rejected (and the caller frees the subtree) when an inner
// node has no polygon, no vertex, or a light grid with fewer than 4
// vertices; when a count is negative or absurd, a light grid is smaller
// than 2 x 2, a token overflows, the file ends inside a record, or the
// nesting passes map_max_tree_depth.
void map_read_node(map_stream& s, bsp_node* node, const texture_table& table);
