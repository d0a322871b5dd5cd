// Assembly of the figure: legs, torso, arms, head, gear and weapons, posed joint by joint.
#include "tools/assetgen/humanoid.h"

#include <algorithm>
#include <cmath>

namespace {

material tinted(material m, bool pain) {
  if (pain && !m.emissive) m.base = mix(m.base, color{1.0f, 0.15f, 0.1f, 1.0f}, 0.35f);
  return m;
}

// Adds an oriented box whose long axis runs along axis from its centre.
void add_bar(model& m, vec3 centre, vec3 axis, double half_len, double half_w, double half_h, material mat) {
  axis = normalize(axis);
  vec3 side = cross(vec3{0, 1, 0}, axis);
  if (length(side) < 1e-6) side = vec3{1, 0, 0};
  side = normalize(side);
  vec3 up = cross(axis, side);
  add_oriented(m, prim_kind::box, centre, side * half_w, up * half_h, axis * half_len, mat);
}

struct frame {
  const body_style& s;
  const body_pose& p;
  double H;
  model m;
  material skin, shirt, pants, boots, headgear, accent, gun;
};

void build_legs(frame& f, double hip_y) {
  const body_style& s = f.s;
  double H = f.H;
  if (s.tentacles) {
    for (int i = 0; i < 5; ++i) {
      double ang = i * 2.0 * M_PI / 5.0 + 0.3;
      vec3 at{std::sin(ang) * 0.09 * H * s.bulk, hip_y, std::cos(ang) * 0.06 * H};
      double r = s.limb * H * 1.6;
      for (int seg = 0; seg < 4; ++seg) {
        double wob = std::sin(f.p.sway + i * 1.7 + seg * 0.9) * 0.05 * H;
        vec3 next = at + vec3{std::sin(ang) * 0.03 * H + wob, -hip_y / 4.2, std::cos(ang) * 0.02 * H};
        add_capsule(f.m, at, next, r, seg % 2 ? f.pants : f.skin);
        at = next;
        r *= 0.78;
      }
    }
    return;
  }
  double thigh = (s.legs * 0.52) * H, shin = (s.legs * 0.50) * H;
  for (int i = 0; i < 2; ++i) {
    double side = i == 0 ? 1.0 : -1.0;
    vec3 hip{side * 0.075 * H * s.bulk, hip_y, 0};
    double a = f.p.hip[i], k = f.p.knee[i];
    vec3 knee = hip + vec3{0, -std::cos(a), std::sin(a)} * thigh;
    vec3 ankle = knee + vec3{0, -std::cos(a - k), std::sin(a - k)} * shin;
    add_capsule(f.m, hip, knee, s.limb * H * 1.25 * s.bulk, f.pants);
    add_capsule(f.m, knee, ankle, s.limb * H * 1.05 * s.bulk, f.pants);
    add_ellipsoid(f.m, ankle + vec3{0, -0.005 * H, 0.035 * H}, {0.05 * H * s.bulk, 0.035 * H, 0.085 * H},
                  f.boots);
  }
}

// Weapon held at hand, pointing along axis.
void build_weapon(frame& f, weapon_kind kind, vec3 hand, vec3 axis, bool firing) {
  double H = f.H;
  axis = normalize(axis);
  material dark = f.gun;
  dark.base = scale_rgb(dark.base, 0.55f);
  vec3 muzzle = hand;
  switch (kind) {
    case weapon_kind::none:
      return;
    case weapon_kind::rifle:
      add_bar(f.m, hand + axis * (0.09 * H), axis, 0.17 * H, 0.022 * H, 0.035 * H, f.gun);
      add_bar(f.m, hand + axis * (0.05 * H) + vec3{0, -0.05 * H, 0}, axis, 0.03 * H, 0.018 * H, 0.04 * H,
              dark);
      add_bar(f.m, hand - axis * (0.08 * H), axis, 0.06 * H, 0.02 * H, 0.04 * H, dark);
      muzzle = hand + axis * (0.27 * H);
      break;
    case weapon_kind::pistol:
      add_bar(f.m, hand + axis * (0.05 * H), axis, 0.08 * H, 0.022 * H, 0.03 * H, f.gun);
      muzzle = hand + axis * (0.14 * H);
      break;
    case weapon_kind::laser: {
      add_bar(f.m, hand + axis * (0.1 * H), axis, 0.17 * H, 0.03 * H, 0.04 * H, f.gun);
      material glow = f.s.eyes;
      add_bar(f.m, hand + axis * (0.12 * H) + vec3{0, 0.04 * H, 0}, axis, 0.12 * H, 0.012 * H, 0.01 * H,
              glow);
      add_capsule(f.m, hand + axis * (0.26 * H), hand + axis * (0.3 * H), 0.028 * H, dark);
      muzzle = hand + axis * (0.32 * H);
      break;
    }
    case weapon_kind::cannon:
      add_capsule(f.m, hand - axis * (0.08 * H), hand + axis * (0.2 * H), 0.06 * H * f.s.bulk, f.gun);
      add_capsule(f.m, hand + axis * (0.2 * H), hand + axis * (0.25 * H), 0.045 * H * f.s.bulk, dark);
      muzzle = hand + axis * (0.28 * H);
      break;
    case weapon_kind::orb: {
      material glow = f.s.flash;
      glow.emissive = true;
      add_ellipsoid(f.m, hand + axis * (0.05 * H), {0.05 * H, 0.05 * H, 0.05 * H}, glow);
      muzzle = hand + axis * (0.1 * H);
      break;
    }
    case weapon_kind::claws:
      for (int c = -1; c <= 1; ++c)
        add_capsule(f.m, hand, hand + axis * (0.11 * H) + vec3{c * 0.025 * H, 0.02 * H, 0}, 0.01 * H, f.gun);
      muzzle = hand + axis * (0.12 * H);
      break;
  }
  if (firing) {
    material flash = f.s.flash;
    flash.emissive = true;
    material core{color{1, 1, 0.9f, 1}, 0, true};
    double r = kind == weapon_kind::cannon ? 0.12 : 0.085;
    add_ellipsoid(f.m, muzzle + axis * (r * H * 0.7), {r * H, r * H, r * H * 1.3}, flash);
    add_ellipsoid(f.m, muzzle + axis * (r * H * 0.9), {r * H * 0.45, r * H * 0.45, r * H * 0.6}, core);
  }
}

void build_arms(frame& f, vec3 neck, vec3 spine) {
  const body_style& s = f.s;
  const body_pose& p = f.p;
  double H = f.H;
  for (int i = 0; i < 2; ++i) {
    double side = i == 0 ? 1.0 : -1.0;
    vec3 shoulder = neck - spine * (0.045 * H) + vec3{side * 0.16 * H * s.bulk, 0, 0};
    double pitch = p.shoulder[i], out = p.arm_out[i], bend = p.elbow[i];
    bool holds = (i == 1 && s.weapon != weapon_kind::none) ||
                 (i == 0 && p.phase == 1 && s.second_weapon != weapon_kind::none);
    if (p.aim > 0 &&
        (i == 1 || p.phase == 1 || s.weapon == weapon_kind::rifle || s.weapon == weapon_kind::laser)) {
      bool main_hand = (p.phase == 0 && i == 1) || (p.phase == 1 && i == 0);
      pitch = main_hand ? 1.45 : 1.25;
      bend = main_hand ? 0.1 : 0.3;
      out = main_hand ? 0.02 : -0.28;
      if (p.phase == 1 && i == 1) {
        pitch = 0.3;
        bend = 0.5;
        out = 0.2;
      }
    }
    vec3 upper_dir{side * std::sin(out), -std::cos(pitch) * std::cos(out), std::sin(pitch) * std::cos(out)};
    vec3 elbow = shoulder + upper_dir * (0.17 * H);
    double fp = pitch + bend;
    vec3 fore_dir{side * std::sin(out) * 0.5, -std::cos(fp), std::sin(fp)};
    vec3 hand = elbow + normalize(fore_dir) * (0.16 * H);
    add_capsule(f.m, shoulder, elbow, s.limb * H * 1.1 * s.bulk, f.shirt);
    add_capsule(f.m, elbow, hand, s.limb * H * 0.95 * s.bulk,
                s.weapon == weapon_kind::cannon && i == 1 ? f.gun : f.skin);
    add_ellipsoid(f.m, hand, vec3{1, 1, 1} * (s.limb * H * 1.15 * s.bulk), f.skin);
    if (s.shoulder_pads)
      add_ellipsoid(f.m, shoulder + vec3{side * 0.02 * H, 0.02 * H, 0},
                    {0.075 * H * s.bulk, 0.05 * H, 0.07 * H}, f.accent);
    if (!holds) continue;
    weapon_kind kind = (i == 1) ? s.weapon : s.second_weapon;
    if (p.phase == 1 && i == 1 && s.second_weapon != weapon_kind::none) kind = s.weapon;
    vec3 axis = p.aim > 0 ? vec3{0, 0.02, 1} : normalize(fore_dir + vec3{0, 0.35, 0.3});
    bool main_hand = (p.phase == 0 && i == 1) || (p.phase == 1 && i == 0);
    build_weapon(f, kind, hand, axis, p.aim == 2 && main_hand);
  }
}

void build_head(frame& f, vec3 neck, vec3 spine) {
  const body_style& s = f.s;
  double H = f.H, r = s.head * H;
  vec3 fwd = normalize(rotate_x(vec3{0, 0, 1}, f.p.lean - f.p.head_tilt));
  vec3 c = neck + spine * (r * 1.05) + vec3{0, r * 0.2, 0};
  add_capsule(f.m, neck - spine * (0.02 * H), c, r * 0.45, f.skin);
  material eyes = s.eyes;
  vec3 eye_l = c + fwd * (r * 0.9) + vec3{0.38 * r, 0.12 * r, 0};
  vec3 eye_r = c + fwd * (r * 0.9) + vec3{-0.38 * r, 0.12 * r, 0};
  double er = r * 0.2;
  switch (s.head_style) {
    case head_kind::bare:
      add_ellipsoid(f.m, c, {r, r * 1.08, r}, f.skin);
      add_ellipsoid(f.m, c + vec3{0, r * 0.35, -r * 0.15}, {r * 1.04, r * 0.8, r * 0.98}, f.headgear);
      break;
    case head_kind::helmet:
      add_ellipsoid(f.m, c, {r, r * 1.05, r}, f.skin);
      add_ellipsoid(f.m, c + vec3{0, r * 0.3, -r * 0.1}, {r * 1.2, r * 0.9, r * 1.2}, f.headgear);
      add_ellipsoid(f.m, c + fwd * (r * 0.75) + vec3{0, 0.1 * r, 0}, {r * 0.8, r * 0.22, r * 0.3}, eyes);
      eyes.base = clear_color();
      break;
    case head_kind::hard_hat:
      add_ellipsoid(f.m, c, {r, r * 1.08, r}, f.skin);
      add_ellipsoid(f.m, c + vec3{0, r * 0.5, 0}, {r * 1.1, r * 0.7, r * 1.15}, f.headgear);
      add_ellipsoid(f.m, c + vec3{0, r * 0.35, r * 0.25}, {r * 1.35, r * 0.12, r * 1.4}, f.headgear);
      break;
    case head_kind::alien:
      add_ellipsoid(f.m, c + vec3{0, r * 0.35, -r * 0.25}, {r * 1.05, r * 1.35, r * 1.3}, f.skin);
      eye_l = eye_l + vec3{0.08 * r, 0, 0.1 * r};
      eye_r = eye_r + vec3{-0.08 * r, 0, 0.1 * r};
      er = r * 0.3;
      break;
    case head_kind::robot:
      add_box(f.m, c, {r * 0.95, r * 0.9, r * 0.9}, f.headgear);
      add_box(f.m, c + fwd * (r * 0.85) + vec3{0, 0.15 * r, 0}, {r * 0.75, r * 0.2, r * 0.12}, eyes);
      eyes.base = clear_color();
      break;
    case head_kind::hood:
      add_ellipsoid(f.m, c, {r * 0.9, r, r * 0.9}, f.skin);
      add_ellipsoid(f.m, c + vec3{0, r * 0.25, -r * 0.2}, {r * 1.25, r * 1.3, r * 1.2}, f.headgear);
      break;
    case head_kind::horned:
      add_ellipsoid(f.m, c, {r * 1.05, r, r}, f.skin);
      for (int i = 0; i < 2; ++i) {
        double side = i == 0 ? 1 : -1;
        vec3 base = c + vec3{side * r * 0.7, r * 0.6, 0};
        vec3 mid = base + vec3{side * r * 0.6, r * 0.7, -r * 0.2};
        add_capsule(f.m, base, mid, r * 0.25, f.accent);
        add_capsule(f.m, mid, mid + vec3{side * r * 0.1, r * 0.8, -r * 0.3}, r * 0.13, f.accent);
      }
      break;
  }
  if (eyes.base.a > 0) {
    add_ellipsoid(f.m, eye_l, {er, er * 0.8, er * 0.6}, eyes);
    add_ellipsoid(f.m, eye_r, {er, er * 0.8, er * 0.6}, eyes);
  }
  if (s.antenna) {
    add_capsule(f.m, c + vec3{r * 0.4, r * 0.7, 0}, c + vec3{r * 0.7, r * 2.0, -r * 0.3}, r * 0.08, f.accent);
    material tip = s.eyes;
    add_ellipsoid(f.m, c + vec3{r * 0.7, r * 2.0, -r * 0.3}, {r * 0.18, r * 0.18, r * 0.18}, tip);
  }
}

}  // namespace

model build_body(const body_style& s, const body_pose& p) {
  frame f{s,
          p,
          s.height,
          {},
          tinted(s.skin, p.pain),
          tinted(s.shirt, p.pain),
          tinted(s.pants, p.pain),
          tinted(s.boots, p.pain),
          tinted(s.headgear, p.pain),
          tinted(s.accent, p.pain),
          s.gun};
  double H = s.height;
  double hip_y = H * (s.legs - p.drop);
  build_legs(f, hip_y);
  vec3 pelvis{0, hip_y, 0};
  vec3 spine{0, std::cos(p.lean), std::sin(p.lean)};
  vec3 back{0, -std::sin(p.lean), std::cos(p.lean)};
  vec3 neck = pelvis + spine * ((0.84 - s.legs - s.head * 1.0) * H);
  add_ellipsoid(f.m, pelvis + spine * (0.02 * H), {0.13 * H * s.bulk, 0.075 * H, 0.085 * H}, f.pants);
  vec3 chest = pelvis + spine * (0.2 * H);
  double chest_h = length(neck - pelvis) * 0.5;
  add_oriented(f.m, prim_kind::ellipsoid, chest, {0.16 * H * s.bulk, 0, 0}, spine * chest_h,
               back * (0.1 * H * (s.belly ? 1.3 : 1.0)), f.shirt);
  if (s.chest_plate)
    add_oriented(f.m, prim_kind::box, chest + back * (0.06 * H) + spine * (0.04 * H),
                 {0.12 * H * s.bulk, 0, 0}, spine * (chest_h * 0.6), back * (0.045 * H), f.accent);
  if (s.core) {
    material glow = s.eyes;
    glow.emissive = true;
    add_ellipsoid(f.m, chest + back * (0.095 * H * (s.belly ? 1.3 : 1.0)) + spine * (0.03 * H),
                  {0.045 * H, 0.045 * H, 0.03 * H}, glow);
  }
  if (s.backpack)
    add_oriented(f.m, prim_kind::box, chest - back * (0.12 * H), {0.11 * H * s.bulk, 0, 0},
                 spine * (chest_h * 0.8), back * (0.05 * H), f.accent);
  build_arms(f, neck, spine);
  build_head(f, neck, spine);
  if (p.fall != 0) {
    // Topple sideways in the picture plane, then rest on the ground, centred again.
    rotate_model_z(f.m, vec3{0, 0, 0}, p.fall);
    double lo = 1e30, hi = -1e30;
    for (const primitive& q : f.m.parts) {
      double r = q.kind == prim_kind::capsule ? q.r : length(q.axes[1]);
      lo = std::min(lo, std::min(q.a.x, q.b.x) - r);
      hi = std::max(hi, std::max(q.a.x, q.b.x) + r);
    }
    translate_model(f.m, vec3{-(lo + hi) * 0.5, -model_floor(f.m), 0});
  }
  if (p.blood) {
    material blood{color{0.45f, 0.02f, 0.02f, 1}, 0.3f, false};
    add_ellipsoid(f.m, vec3{0.0, 0.0, -0.05 * H}, {0.36 * H, 0.01 * H, 0.16 * H}, blood);
  }
  return f.m;
}
