// Releasing a subtree of the level's BSP tree.
#pragma once

struct bsp_node;

// Frees the children first, then the node's polygon with its arrays and its
// light-map texture, then the node itself. Null is ignored. Called by the
// level unload and at shutdown.
void bsp_free(bsp_node* node);
