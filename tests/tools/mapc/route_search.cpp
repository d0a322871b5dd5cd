// A faithful copy of the enemies' route search, so tests can tell whether a compiled graph is usable.
#include "tests/tools/mapc/route_search.h"

#include <cmath>

#include "world/ai_node.h"

const ai_node* ai_node_at(const ai_node* first, int id) {
  for (const ai_node* a = first; a; a = a->next)
    if (a->id == id) return a;
  return nullptr;
}

std::vector<int> route_search(const ai_node* first, int s, int g) {
  int n = 0;
  for (const ai_node* a = first; a; a = a->next) ++n;
  if (s < 0 || g < 0 || s >= n || g >= n) return {};
  std::vector<int> visited(n, 0), stack(n, 9999);
  std::vector<double> cost(n, 9999);
  visited[s] = 1;
  cost[s] = 0;
  stack[0] = s;
  int top = 0, current = s;
  auto finish = [&]() {
    stack[top] = g;
    return std::vector<int>(stack.begin(), stack.begin() + top + 1);
  };
  if (current == g) return finish();
  for (int round = 0; round < 100; ++round) {
    const ai_node* node = ai_node_at(first, current);
    bool open = false;
    for (int j = 0; node && j < node->link_count; ++j)
      if (node->links[j] && node->links[j]->id < n && !visited[node->links[j]->id]) open = true;
    if (!open) {
      stack[top] = 9999;
      if (--top < 0) return {};
      current = stack[top];
    } else {
      double best = 9999;
      int next = current;
      for (int j = 0; j < node->link_count; ++j) {
        const ai_node* b = node->links[j];
        if (!b || b->id >= n || visited[b->id]) continue;
        int v = b->id;
        double d = cost[current] +
                   std::sqrt((node->x - b->x) * (node->x - b->x) + (node->y - b->y) * (node->y - b->y) +
                             (node->z - b->z) * (node->z - b->z));
        if (cost[v] >= d) {
          cost[v] = d;
          if ((top == 0 || stack[top - 1] != current) && top < n - 1) stack[top++] = current;
        }
        if (cost[v] < best) {
          best = cost[v];
          next = v;
        }
      }
      current = next;
    }
    visited[current] = 1;
    if (current == g) return finish();
  }
  return {};
}
