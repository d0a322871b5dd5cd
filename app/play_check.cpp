// What a correct game keeps true after every tick of a level.
#include "app/play_check.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "app/game_state.h"
#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/enemy_kinds.h"
#include "entities/pickup_update_table.h"
#include "entities/player_weapons_table.h"
#include "world/bsp_polygons_walk.h"

namespace {

// Far more entries than the shots in flight and the hatched enemies of a
// level ever make; a list that grows past it (or loops) is broken.
constexpr size_t longest_allowed_list = 20000;
// How far outside the box around the level's polygons a body may reach.
constexpr double box_margin = 2.0;
// The highest animation frame any enemy state climbs to (a boss firing).
constexpr int32_t last_frame = 12;
// The height below which the player dies where it is.
constexpr double death_plane = -100.0;

std::string say(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

bool finite3(const double (&v)[3]) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// Inside the level's box, or below all of it: a body under the level's
// lowest polygon is falling to its death.
bool in_level(const play_watch& w, const double (&p)[3]) {
  if (p[1] < w.low[1] - box_margin) return true;
  for (int i = 0; i < 3; ++i)
    if (p[i] < w.low[i] - box_margin || p[i] > w.high[i] + box_margin) return false;
  return true;
}

std::string check_list(const entity* head) {
  if (!head || head->type != 0 || head->prev) return "the entity list has no bare head of type 0";
  size_t length = 1;
  for (const entity* e = head; e->next; e = e->next) {
    if (e->next->prev != e)
      return say("the entry after id %d (type %d) does not link back to it", e->id, e->type);
    if (++length > longest_allowed_list) return say("the entity list is longer than %zu entries", length - 1);
  }
  return "";
}

std::string check_entity(const play_watch& w, const entity& e) {
  if (e.type < 0) return say("entity id %d is still marked %d after the prune", e.id, e.type);
  if (!finite3(e.pos) || !finite3(e.vel) || !std::isfinite(e.facing) || !std::isfinite(e.aim_angle) ||
      !std::isfinite(e.anim_timer) || !std::isfinite(e.state_timer) || !std::isfinite(e.aux_timer))
    return say("entity id %d (type %d) holds a number that is not finite", e.id, e.type);
  if (is_enemy(e.type) && (e.state < s_idle || e.state > s_revive || e.frame < 0 || e.frame > last_frame ||
                           (e.phase != 0 && e.phase != 1)))
    return say("enemy id %d (type %d) has state %d, frame %d, phase %d", e.id, e.type, e.state, e.frame,
               e.phase);
  if (!in_level(w, e.pos))
    return say("entity id %d (type %d) is outside the level at (%.2f, %.2f, %.2f)", e.id, e.type, e.pos[0],
               e.pos[1], e.pos[2]);
  return "";
}

std::string check_player_numbers(const play_watch& w, const player& p, double dt) {
  bool finite = finite3(p.pos) && finite3(p.vel) && finite3(p.accel) && std::isfinite(p.yaw) &&
                std::isfinite(p.pitch) && std::isfinite(p.jump_time) && std::isfinite(p.death_timer) &&
                std::isfinite(p.reload_time) && std::isfinite(p.mouse_speed_x) &&
                std::isfinite(p.mouse_speed_y);
  for (const gun& g : p.guns) finite = finite && std::isfinite(g.fire_timer);
  if (!finite) return "the player holds a number that is not finite";
  // The look step keeps the pitch level, up to 90 up or 90 down (or
  // exactly 180); the key look may turn the yaw past 0 or 360 by one
  // tick's turn, which the next look step wraps.
  if (p.pitch < 0.0 || p.pitch > 360.0 || (p.pitch > 90.0 && p.pitch < 180.0) ||
      (p.pitch > 180.0 && p.pitch < 270.0))
    return say("the pitch is %g degrees", p.pitch);
  double key_turn = 120.0 * p.key_bindings[bind_look_key_speed] * dt;
  if (p.yaw < -key_turn || p.yaw > 360.0 + key_turn) return say("the yaw is %g degrees", p.yaw);
  if (p.current_gun < 0 || p.current_gun >= gun_count || (p.reloading != 0 && p.reloading != 1))
    return say("gun %d in hand, reloading %d", p.current_gun, p.reloading);
  if (!in_level(w, p.pos))
    return say("the player is outside the level at (%.2f, %.2f, %.2f)", p.pos[0], p.pos[1], p.pos[2]);
  return "";
}

// What the items taken in a tick give.
struct gains {
  int health = 0, score = 0, mice = 0;
  int rounds[gun_count] = {};
};

std::string check_guns(const player& before, const player& p, const gains& got) {
  for (int i = 0; i < gun_count; ++i) {
    const gun& g = p.guns[i];
    if (i == strike_gun) {
      if (g.loaded != 1 || g.reserve != 0) return say("the strike holds %d + %d rounds", g.loaded, g.reserve);
      continue;
    }
    if (g.loaded < 0 || g.loaded > gun_table[i].reload_capacity || g.reserve < 0)
      return say("gun %d holds %d loaded and %d in reserve", i, g.loaded, g.reserve);
    // A reload moves rounds between reserve and gun; only items add, and
    // one shot a tick takes.
    int had = before.guns[i].loaded + before.guns[i].reserve + got.rounds[i];
    int has = g.loaded + g.reserve;
    if (has > had || has < had - gun_table[i].rounds_per_shot)
      return say("gun %d went from %d rounds to %d with %d from items", i, had - got.rounds[i], has,
                 got.rounds[i]);
  }
  return "";
}

// Kills: only an enemy that was alive at the end of the last tick and has
// no health left now can have been counted in this one.
std::string check_counters(const play_watch& w, const player& p, const entity* head, const gains& got) {
  const player& before = w.before;
  int candidates = 0, low = 0, high = 0;
  for (const entity* e = head; e; e = e->next) {
    if (!is_enemy(e->type) || e->health > 0) continue;
    auto was = w.enemies.find(e);
    if (was != w.enemies.end() && (was->second.state == s_dying || was->second.state == s_dead)) continue;
    int score = enemy_kind_of(e->type).score;
    candidates += 1;
    low += std::min(score, 0);
    high += std::max(score, 0);
  }
  int kills = p.kills - before.kills;
  int score = p.score - before.score - got.score;
  if (kills < 0 || kills > candidates) return say("kills went from %d to %d", before.kills, p.kills);
  if (score < low || score > high)
    return say("the score went from %d to %d (%d from items, %d kills)", before.score, p.score, got.score,
               kills);
  if (p.mice != before.mice + got.mice) return say("mice went from %d to %d", before.mice, p.mice);
  // Below the death plane health is set to 0, from whatever it was.
  bool plane = p.pos[1] < death_plane && p.health == 0;
  if (p.health > before.health + got.health && !plane)
    return say("health rose from %d to %d with %d from items", before.health, p.health, got.health);
  return check_guns(before, p, got);
}

// What the items that were in the list after the last tick and are gone
// now were worth: an item leaves the list only when it is taken.
gains items_taken(const play_watch& w, const entity* head) {
  std::unordered_map<const entity*, int32_t> now;
  for (const entity* e = head; e; e = e->next)
    if (is_pickup(e->type)) now[e] = e->type;
  gains got;
  for (const auto& [item, was] : w.items) {
    auto still = now.find(item);
    if (still != now.end() && still->second == was.type) continue;
    const pickup_kind* kind = pickup_kind_of(was.type);
    if (!kind) continue;
    got.health += kind->health_bonus;
    got.score += kind->score_bonus;
    got.mice += kind->mice_bonus;
    if (kind->gun >= 0) got.rounds[kind->gun] += kind->reserve_bonus + kind->loaded_fill;
  }
  return got;
}

void remember(play_watch& w, const game_state& gs) {
  w.enemies.clear();
  w.items.clear();
  for (const entity* e = gs.entity_list; e; e = e->next) {
    if (is_enemy(e->type)) w.enemies[e] = {e->type, e->state, e->health};
    if (is_pickup(e->type)) w.items[e] = {e->type, e->state, e->health};
  }
  w.before = gs.the_player;
}

}  // namespace

std::string play_watch_start(play_watch& w, const game_state& gs) {
  w = play_watch{};
  for (int i = 0; i < 3; ++i) {
    w.low[i] = HUGE_VAL;
    w.high[i] = -HUGE_VAL;
  }
  for_each_polygon(gs.bsp_root, [&](const bsp_polygon& poly) {
    for (int v = 0; v < poly.vert_count; ++v) {
      const double at[3] = {poly.verts[v].x, poly.verts[v].y, poly.verts[v].z};
      for (int i = 0; i < 3; ++i) {
        w.low[i] = std::min(w.low[i], at[i]);
        w.high[i] = std::max(w.high[i], at[i]);
      }
    }
  });
  const player& p = gs.the_player;
  remember(w, gs);
  if (p.health != 100 || p.kills != p.kills_at_level_start || p.score != p.score_at_level_start ||
      p.mice != p.mice_at_level_start)
    return say("the level starts with health %d, kills %d, score %d, mice %d (at its start %d, %d, %d)",
               p.health, p.kills, p.score, p.mice, p.kills_at_level_start, p.score_at_level_start,
               p.mice_at_level_start);
  std::string broken = check_list(gs.entity_list);
  for (const entity* e = gs.entity_list; broken.empty() && e; e = e->next) broken = check_entity(w, *e);
  return broken;
}

std::string play_watch_tick(play_watch& w, const game_state& gs) {
  std::string broken = check_list(gs.entity_list);
  if (!broken.empty()) return broken;
  size_t length = 0;
  for (const entity* e = gs.entity_list; e; e = e->next, ++length) {
    broken = check_entity(w, *e);
    if (!broken.empty()) return broken;
  }
  w.longest_list = std::max(w.longest_list, length);
  const player& p = gs.the_player;
  broken = check_player_numbers(w, p, gs.video.tick_step);
  if (broken.empty()) broken = check_counters(w, p, gs.entity_list, items_taken(w, gs.entity_list));
  remember(w, gs);
  return broken;
}
