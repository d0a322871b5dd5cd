// The per-tick state digest and the end-state line of demos.
#include "app/demo_state.h"

#include <cstdio>
#include <cstring>

#include "base/entity.h"
#include "player/player.h"

namespace {

// FNV-1a over the values fed to it, one field at a time (never a whole
// record, whose padding bytes are not part of the state).
struct digest {
  uint64_t hash = 14695981039346656037ull;

  void bytes(const void* data, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ p[i]) * 1099511628211ull;
  }
  void add(int32_t value) { bytes(&value, sizeof value); }
  void add(double value) {
    uint64_t bits = 0;
    memcpy(&bits, &value, sizeof bits);
    bytes(&bits, sizeof bits);
  }
  void add3(const double (&v)[3]) {
    for (double x : v) add(x);
  }
};

void add_player(digest& d, const player& p) {
  d.add3(p.pos);
  d.add3(p.vel);
  d.add(p.yaw);
  d.add(p.pitch);
  d.add(p.health);
  d.add(p.death_timer);
  d.add(p.crouch);
  d.add(p.on_ground);
  d.add(p.jumping);
  d.add(p.score);
  d.add(p.kills);
  d.add(p.mice);
  d.add(p.current_gun);
  d.add(p.reloading);
  for (const gun& g : p.guns) {
    d.add(g.loaded);
    d.add(g.reserve);
    d.add(g.trigger);
    d.add(g.fire_timer);
  }
}

void add_entity(digest& d, const entity& e) {
  d.add(e.type);
  d.add(e.id);
  d.add(e.state);
  d.add(e.health);
  d.add(e.frame);
  d.add(e.phase);
  d.add(e.path_pos);
  d.add(e.facing);
  d.add(e.aim_angle);
  d.add(e.state_timer);
  d.add3(e.pos);
  d.add3(e.vel);
}

}  // namespace

uint64_t demo_state_digest(const player& p, const entity* entity_list) {
  digest d;
  add_player(d, p);
  for (const entity* e = entity_list; e; e = e->next) add_entity(d, *e);
  return d.hash;
}

void demo_end_line(char* out, size_t size, int32_t tick, const player& p) {
  snprintf(out, size, "demo end: tick %d pos %.3f %.3f %.3f health %d score %d kills %d", tick, p.pos[0],
           p.pos[1], p.pos[2], p.health, p.score, p.kills);
}
