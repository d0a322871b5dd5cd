// The animation clock every enemy state handler but two ends with.
#include "entities/enemy_animation.h"

#include "base/entity.h"
#include "base/entity_codes.h"

namespace {

bool large_kind(int type) { return type == ent_mob10 || type == ent_boss1 || type == ent_boss2; }

int climb_to(int frame, int cap) { return frame >= cap ? cap : frame + 1; }

// The aiming and firing cells sit two rows lower on the bosses' sheets
// while they use their first weapon.
int boss_cap(const entity& e, int usual) {
  return (e.type == ent_boss1 || e.type == ent_boss2) && e.phase == 0 ? usual + 2 : usual;
}

int next_frame(const entity& e, animation_rule rule, int frame_at_start) {
  const int f = e.frame;
  switch (rule) {
    case anim_hold_first:
      return f >= 1 ? 1 : f + 1;
    case anim_walk:
      return f >= 5 ? 2 : f + 1;
    case anim_pain:
      return f >= 6 ? 6 : f + 1;
    case anim_dying:
      return frame_at_start >= 5 ? 1 : frame_at_start + 1;
    case anim_aim:
      return climb_to(f, boss_cap(e, 9));
    case anim_fire:
      return climb_to(f, boss_cap(e, 10));
    case anim_revive:
      return f >= 5 ? 1 : f + 1;
  }
  return f;
}

}  // namespace

void animation_clock(entity& e, animation_rule rule, int frame_at_start, double dt) {
  e.anim_timer += dt;
  const double limit = large_kind(e.type) && e.state == s_dying ? 0.4 : 0.2;
  if (e.anim_timer <= limit) return;
  e.anim_timer = 0.0;
  e.frame = next_frame(e, rule, frame_at_start);
}
