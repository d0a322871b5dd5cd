// The player's gun controls: trigger and fire clock, gun choice, reload.
#include "player/player_weapons_controls.h"

#include "config/key_code.h"
#include "config/key_state.h"
#include "config/mouse_state.h"
#include "entities/player_weapons_table.h"
#include "player/player.h"

namespace {

int32_t bound(const player& p, const key_state& keys, int binding) {
  return key_code_value(keys, p.key_bindings[binding]);
}

bool has_ammunition(const gun& g) { return g.loaded != 0 || g.reserve != 0; }

// Whether current_gun names one of the five guns; nothing else may be read.
bool gun_in_hand_valid(const player& p) { return p.current_gun >= 0 && p.current_gun < gun_count; }

// Next gun: up to the nearest gun with ammunition. The strike always has
// some, so the walk never passes the last gun.
void next_gun(player& p) {
  int g = p.current_gun;
  do ++g;
  while (g < gun_count - 1 && !has_ammunition(p.guns[g]));
  if (has_ammunition(p.guns[g])) p.current_gun = g;
}

// Previous gun: down to the nearest gun with ammunition, at most to gun 0.
void previous_gun(player& p) {
  int g = p.current_gun;
  do --g;
  while (g > 0 && !has_ammunition(p.guns[g]));
  if (has_ammunition(p.guns[g])) p.current_gun = g;
}

// Moves rounds from the reserve into the gun, at most `capacity` in it.
void refill(gun& g, int capacity) {
  if (g.reserve > capacity) {
    g.reserve = g.reserve + g.loaded - capacity;
    g.loaded = capacity;
  } else if (g.reserve > 0) {
    const int total = g.loaded + g.reserve;
    if (total > capacity) {
      g.reserve = total - capacity;
      g.loaded = capacity;
    } else {
      g.loaded = total;
      g.reserve = 0;
    }
  }
}

}  // namespace

void trigger_update(player& p, const key_state& keys, const mouse_state& mouse, double dt) {
  if (!gun_in_hand_valid(p)) return;
  gun& g = p.guns[p.current_gun];
  const bool fresh = g.trigger == 0;
  const bool down = mouse.left != 0 || bound(p, keys, bind_fire) != key_up;
  g.trigger = down && p.reloading == 0 ? 1 : 0;

  if (g.trigger) {
    g.fire_timer += dt;
    if (g.fire_timer > g.fire_interval) g.fire_timer = 0.0;
    if (fresh) g.fire_timer = 0.0;
  } else if (p.reloading) {
    g.fire_timer += dt;
  }
}

void gun_choice(player& p, const key_state& keys) {
  if (!gun_in_hand_valid(p)) return;
  for (int g = 0; g < strike_gun; ++g) {
    if (bound(p, keys, bind_gun1 + g) == key_pressed && has_ammunition(p.guns[g])) {
      p.current_gun = g;
      return;
    }
  }
  if (bound(p, keys, bind_gun1 + strike_gun) == key_pressed) {
    p.current_gun = strike_gun;
    return;
  }
  // With gun 3 in hand the next-gun key is not heard and the previous-gun key
  // is tested instead; with the strike in hand there is no gun above to go to.
  if (bound(p, keys, bind_nextgun) == key_pressed && p.current_gun != strike_gun - 1) {
    if (p.current_gun < strike_gun) next_gun(p);
    return;
  }
  if (bound(p, keys, bind_prevgun) == key_pressed && p.current_gun != 0) previous_gun(p);
}

void reload_step(player& p, int32_t key, double dt) {
  if (!gun_in_hand_valid(p)) return;
  const gun_properties& kind = gun_table[p.current_gun];
  if (p.reloading == 0 && key != 0 && kind.reloads_by_key) p.reloading = 1;
  if (p.reloading == 0) return;

  p.reload_time += dt;
  if (p.reload_time > kind.reload_time) {
    p.reload_time = 0.0;
    p.reloading = 0;
    refill(p.guns[p.current_gun], kind.reload_capacity);
  }
}
