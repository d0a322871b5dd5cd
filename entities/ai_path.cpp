// Questions about the level's navigation graph: counts, nearest nodes, routes.
#include "entities/ai_path.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "entities/enemy_sight.h"
#include "world/ai_node.h"
#include "world/ai_nodes_read.h"

namespace {

constexpr double unreachable = 9999.0;
constexpr int max_rounds = 100;

double node_distance(const ai_node& a, const ai_node& b) {
  const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The node each id 0 to n - 1 names, as ai_node_find from the head finds it
// (the first with that id); null where no node carries the id.
std::vector<ai_node*> nodes_by_id(ai_node* list, int32_t n) {
  std::vector<ai_node*> table(static_cast<size_t>(n), nullptr);
  for (ai_node* a = list; a; a = a->next)
    if (a->id >= 0 && a->id < n && !table[static_cast<size_t>(a->id)]) table[static_cast<size_t>(a->id)] = a;
  return table;
}

// The search's working arrays, indexed by node id.
struct search {
  int32_t n;
  std::vector<ai_node*> nodes;
  std::vector<char> visited;
  std::vector<double> cost;
  int32_t* stack;  // becomes the path
  int32_t top;
};

// The id of link j of `node` when it leads to a node of this graph, else -1.
int32_t link_target(const search& s, const ai_node& node, int32_t j) {
  if (!node.links || !node.links[j]) return -1;
  const int32_t v = node.links[j]->id;
  return v >= 0 && v < s.n ? v : -1;
}

bool has_unvisited_link(const search& s, const ai_node* node) {
  if (!node) return false;  // an id no node carries has no links
  for (int32_t j = 0; j < node->link_count; ++j) {
    const int32_t v = link_target(s, *node, j);
    if (v >= 0 && !s.visited[static_cast<size_t>(v)]) return true;
  }
  return false;
}

// Pushes `current` (once) whenever a cheaper way to a neighbour is found,
// and returns the cheapest unvisited neighbour, or `current` when none
// costs less than 9999. False when the stack would overflow.
bool expand(search& s, int32_t current, int32_t* next) {
  const ai_node& node = *s.nodes[static_cast<size_t>(current)];
  double best = unreachable;
  *next = current;
  for (int32_t j = 0; j < node.link_count; ++j) {
    const int32_t v = link_target(s, node, j);
    if (v < 0 || s.visited[static_cast<size_t>(v)]) continue;
    const double d = s.cost[static_cast<size_t>(current)] + node_distance(node, *node.links[j]);
    if (s.cost[static_cast<size_t>(v)] >= d) {
      s.cost[static_cast<size_t>(v)] = d;
      if (s.top == 0 || s.stack[s.top - 1] != current) {
        if (s.top >= s.n) return false;
        s.stack[s.top++] = current;
      }
    }
    if (s.cost[static_cast<size_t>(v)] < best) {
      best = s.cost[static_cast<size_t>(v)];
      *next = v;
    }
  }
  return true;
}

// Writes the goal on top of the route and hands the stack over.
int32_t* finish(search& s, int32_t goal, int32_t* length) {
  if (s.top >= s.n) return nullptr;
  s.stack[s.top] = goal;
  *length = s.top + 1;
  int32_t* path = s.stack;
  s.stack = nullptr;
  return path;
}

}  // namespace

int32_t ai_node_count(const ai_node* list) {
  int32_t n = 0;
  for (; list; list = list->next) ++n;
  return n;
}

int32_t find_nearest_visible_node(ai_node* list, const bsp_node* root, const double q[3]) {
  const int32_t n = ai_node_count(list);
  const std::vector<ai_node*> nodes = nodes_by_id(list, n);
  // Sight tests are what cost: try the nodes nearest first and stop at the
  // first one q sees. A node unseen counts as 9999 away, so a seen node
  // nearer than that is the answer, as it would be after testing them all.
  std::vector<std::pair<double, int32_t>> by_distance;
  by_distance.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    const ai_node* node = nodes[static_cast<size_t>(i)];
    if (!node) continue;
    const double at[3] = {node->x, node->y, node->z};
    by_distance.emplace_back(distance3(q, at), i);
  }
  std::sort(by_distance.begin(), by_distance.end());
  for (const auto& [distance, id] : by_distance) {
    if (distance >= unreachable) break;
    const ai_node* node = nodes[static_cast<size_t>(id)];
    const double at[3] = {node->x, node->y, node->z};
    if (segment_clear(q, at, root)) return id;
  }
  // None seen within 9999: the smallest value wins, the lowest id on ties.
  int32_t best_id = 0;
  double best = 0.0;
  for (int32_t i = 0; i < n; ++i) {
    const ai_node* node = nodes[static_cast<size_t>(i)];
    double value = unreachable;
    if (node) {
      const double at[3] = {node->x, node->y, node->z};
      if (distance3(q, at) >= unreachable && segment_clear(q, at, root)) value = distance3(q, at);
    }
    if (i == 0 || value < best) {
      best = value;
      best_id = i;
    }
  }
  return best_id;
}

int32_t find_hidden_node(ai_node* list, const bsp_node* root, const double q[3]) {
  for (const ai_node* node = list; node; node = node->next) {
    const double at[3] = {node->x, node->y, node->z};
    if (!segment_clear(at, q, root)) return node->id;
  }
  return -1;
}

int32_t* find_path(ai_node* list, int32_t start, int32_t goal, int32_t* length) {
  search s{};
  s.n = ai_node_count(list);
  if (start < 0 || start >= s.n || goal < 0 || goal >= s.n) return nullptr;
  s.nodes = nodes_by_id(list, s.n);
  s.visited.assign(static_cast<size_t>(s.n), 0);
  s.cost.assign(static_cast<size_t>(s.n), unreachable);
  s.stack = new int32_t[s.n];
  for (int32_t i = 0; i < s.n; ++i) s.stack[i] = path_filler;

  int32_t current = start;
  s.visited[static_cast<size_t>(start)] = 1;
  s.cost[static_cast<size_t>(start)] = 0.0;
  s.stack[0] = start;
  int32_t* path = nullptr;
  if (current == goal) path = finish(s, goal, length);
  for (int round = 0; !path && round < max_rounds; ++round) {
    if (!has_unvisited_link(s, s.nodes[static_cast<size_t>(current)])) {
      // A dead end: step back along the route.
      if (s.top < s.n) s.stack[s.top] = path_filler;
      if (--s.top < 0) break;
      current = s.stack[s.top];
      if (current < 0 || current >= s.n) break;
    } else {
      int32_t next = current;
      if (!expand(s, current, &next)) break;
      current = next;
    }
    s.visited[static_cast<size_t>(current)] = 1;
    if (current == goal) {
      path = finish(s, goal, length);
      break;
    }
  }
  delete[] s.stack;
  return path;
}
