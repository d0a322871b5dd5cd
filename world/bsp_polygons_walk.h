// Visiting every polygon of a tree, leaves' included; an explicit stack
// keeps a deep tree off the call stack.
#pragma once
#include <vector>

#include "world/bsp_node.h"

template <typename visit_fn>
void for_each_polygon(bsp_node* root, visit_fn visit) {
  std::vector<bsp_node*> stack;
  if (root) stack.push_back(root);
  while (!stack.empty()) {
    bsp_node* node = stack.back();
    stack.pop_back();
    if (node->poly) visit(*node->poly);
    if (node->back) stack.push_back(node->back);
    if (node->front) stack.push_back(node->front);
  }
}
