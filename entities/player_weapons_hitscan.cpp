// The player's instant shots: the automatic gun's bullet and the shotgun's pellets.
#include "entities/player_weapons_hitscan.h"

#include <cmath>
#include <cstdlib>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/hit_box.h"
#include "player/player.h"
#include "world/bsp_query.h"

namespace {

constexpr double degrees_to_radians = 3.14159265358979323846 / 180.0;
constexpr double player_eye_height = 2.25;
constexpr double enemy_centre_height = 1.5;
// The sine of this is 1 to within 1e-13; it is the same vertical factor the
// aim marker of the debug overlay draws with.
constexpr double vertical_angle = 1.570796;
constexpr int shotgun = 1;

// Half-width and half-height of an enemy's hit box against the player's shots.
void body_size(int type, double* w, double* h) {
  switch (type) {
    case ent_mob2:
      *w = 1.75, *h = 1.5;
      return;
    case ent_mob4:
      *w = 2.5, *h = 2.0;
      return;
    case ent_mob5:
      *w = 1.75, *h = 1.25;
      return;
    default:
      *w = 1.5, *h = 1.0;
      return;
  }
}

// The shotgun's pitch scatter: -3 to +2 degrees.
double shot_pitch(const player& p) {
  if (p.current_gun != shotgun) return p.pitch;
  return p.pitch - 3.0 + rand() % 6;
}

void mark(hit_marker& marker, const double point[3]) {
  if (marker.active) return;
  for (int k = 0; k < 3; ++k) marker.pos[k] = point[k];
  marker.active = 1;
  marker.age = 0.0;
}

// The enemy cries out unless it already is in pain, and flinches; an
// ent_mob4 struck on its front rectangle while shooting keeps shooting. A
// cry asked for earlier in the tick (by the first pellet of a blast, or a
// projectile) is left to be heard.
void pain(entity& e, hit_plane plane) {
  if (e.state != s_pain) e.sound_event = 1;
  const bool shooting = e.state == s_aim || e.state == s_fire;
  if (plane == hit_plane_a && e.type == ent_mob4 && shooting) return;
  e.frame = s_pain;
  e.state = s_pain;
}

}  // namespace

void player_hitscan(player& p, entity* first, const bsp_node* root, int pellet, double shot_yaw) {
  if (p.current_gun < 0 || p.current_gun >= gun_count) return;
  hit_marker* marker = pellet >= 0 && pellet < hit_marker_count ? &p.hit_markers[pellet] : nullptr;
  const int damage = p.guns[p.current_gun].damage;
  const double eye[3] = {p.pos[0], p.pos[1] + player_eye_height, p.pos[2]};
  const double a = (shot_yaw - 180.0) * degrees_to_radians;

  for (entity* e = first; e; e = e->next) {
    if (!is_enemy(e->type) || e->state == s_dead) continue;
    const double centre[3] = {e->pos[0], e->pos[1] + enemy_centre_height, e->pos[2]};
    if (bsp_segment_clear(eye, centre, root) != 1) continue;

    const double pitch = shot_pitch(p) * degrees_to_radians;
    const double end[3] = {eye[0] + player_shot_length * std::sin(a) * std::cos(pitch),
                           eye[1] + player_shot_length * std::sin(vertical_angle) * std::sin(pitch),
                           eye[2] + player_shot_length * std::cos(a) * std::cos(pitch)};
    double w = 0.0, h = 0.0;
    body_size(e->type, &w, &h);
    const hit_box box = make_hit_box(e->pos, w, h);
    const hit_box_result r = hit_box_test(box, eye, end);

    // Crossing the front rectangle's plane moves the marker even on a miss.
    if (marker && r.met_a)
      for (int k = 0; k < 3; ++k) marker->pos[k] = r.a_point[k];
    if (!r.hit) continue;
    if (marker) mark(*marker, r.point);
    e->health -= damage;
    if (e->health > 0) pain(*e, r.plane);
  }
}
