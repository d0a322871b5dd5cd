// The player's whole tick: look, keys, drag, contact, walls, fall, weapon.
#include "player/player_update.h"

#include "config/key_state.h"
#include "config/mouse_state.h"
#include "entities/player_weapons_step.h"
#include "player/player.h"
#include "player/player_contact.h"
#include "player/player_fall.h"
#include "player/player_input.h"
#include "player/player_look.h"
#include "player/player_walls.h"
#include "world/bsp_query.h"

namespace {

constexpr double marker_lifetime = 0.3;
constexpr double pickup_message_lifetime = 4.0;
constexpr double drag = 2.0;
constexpr double head_height = 2.35;
constexpr double death_plane = -100.0;

void age_hit_markers(player& p, double dt) {
  for (hit_marker& marker : p.hit_markers) {
    if (marker.age > marker_lifetime)
      marker.active = 0;
    else if (marker.active)
      marker.age += dt;
  }
}

// A ceiling over the head while standing cuts a jump short.
void head_check(player& p, const bsp_node* root) {
  const double head[3] = {p.pos[0], p.pos[1] + head_height, p.pos[2]};
  if (!bsp_segment_clear(p.pos, head, root) && p.on_ground) {
    p.jumping = 0;
    p.vel[1] = 0.0;
    p.accel[1] = 0.0;
  }
}

void age_pickup_message(player& p, double dt) {
  if (!p.pickup_message_flag) return;
  p.pickup_message_time += dt;
  if (p.pickup_message_time > pickup_message_lifetime) {
    p.pickup_message_flag = 0;
    p.pickup_message_time = 0.0;
  }
}

}  // namespace

void player_update(player& p, const key_state& keys, const bsp_node* root, entity* entity_list, double dt,
                   const mouse_state& mouse) {
  p.zoom_flag = mouse.right != 0 ? 1 : 0;
  if (p.health <= 0) p.death_timer += dt;
  age_hit_markers(p, dt);
  player_look(p, keys, dt, mouse);

  for (int i = 0; i < 3; ++i) {
    p.accel[i] = 0.0;
    p.prev_pos[i] = p.pos[i];
  }
  if (p.health > 0) player_input(p, keys, dt);

  for (double& v : p.vel) v -= drag * dt * v;
  player_contact_slowdown(p, entity_list);
  for (int i = 0; i < 3; ++i) p.vel[i] += p.accel[i] * dt;

  head_check(p, root);
  player_walls(p, root, dt, 0);
  if (p.jumping == 0) player_fall(p, root, dt);
  weapon_step(p, entity_list, root);
  age_pickup_message(p, dt);

  // Fallen out of the level: frozen in the air (the fall pass stays off)
  // and dead, so the level ends once the death timer runs out.
  if (p.pos[1] < death_plane) {
    p.jumping = 1;
    p.health = 0;
  }
}
