// Weapon shapes: receivers, barrels, stocks, magazines and the hands that hold them.
#include "tools/assetgen/weapon_models.h"

namespace {

material matte(uint32_t hex) { return material{rgb(hex), 0.0f, false}; }
material metal(uint32_t hex) { return material{rgb(hex), 0.75f, false}; }
material glowing(color c) { return material{c, 0.0f, true}; }

void add_hand(model& m, vec3 grip, vec3 elbow) {
  material glove = matte(0x5a4a38), sleeve = matte(0x5a6a3a);
  add_ellipsoid(m, grip, {0.075, 0.07, 0.09}, glove);
  add_capsule(m, grip + vec3{0, -0.02, -0.06}, elbow, 0.07, sleeve);
}

void blade(model& m) {
  material steel = metal(0xc8ccd2), edge = metal(0xf0f4f8), grip = matte(0x2a2420);
  add_capsule(m, {0, 0, -0.12}, {0, 0, 0.06}, 0.035, grip);
  add_box(m, {0, 0, 0.08}, {0.07, 0.015, 0.02}, metal(0x5a5e64));
  add_oriented(m, prim_kind::box, {0, 0.005, 0.3}, {0.008, 0, 0}, {0, 0.04, 0}, {0, 0, 0.21}, steel);
  add_oriented(m, prim_kind::box, {0, 0.04, 0.3}, {0.006, 0, 0}, {0, 0.008, 0}, {0, 0, 0.2}, edge);
  add_oriented(m, prim_kind::ellipsoid, {0, 0.012, 0.5}, {0.008, 0, 0}, {0, 0.035, 0}, {0, 0, 0.06}, steel);
  add_hand(m, {0, 0, -0.03}, {0.05, -0.4, -0.5});
}

void automatic(model& m) {
  material body = metal(0x50555c), dark = metal(0x34373c), furniture = matte(0x5a5a44);
  add_box(m, {0, 0.06, 0.1}, {0.06, 0.07, 0.28}, body);
  add_box(m, {0, 0.14, 0.1}, {0.015, 0.015, 0.24}, dark);
  add_box(m, {0, 0.16, 0.3}, {0.012, 0.03, 0.012}, dark);
  add_box(m, {0, 0.05, 0.5}, {0.055, 0.055, 0.14}, furniture);
  add_capsule(m, {0, 0.06, 0.6}, {0, 0.06, 0.9}, 0.025, dark);
  add_capsule(m, {0, 0.06, 0.9}, {0, 0.06, 0.95}, 0.035, dark);
  add_oriented(m, prim_kind::box, {0, -0.1, 0.22}, {0.035, 0, 0}, {0, 0.12, 0.03}, {0, -0.01, 0.045}, dark);
  add_box(m, {0, -0.05, -0.02}, {0.035, 0.07, 0.035}, furniture);
  add_box(m, {0, 0.04, -0.3}, {0.045, 0.06, 0.14}, furniture);
  add_hand(m, {0, -0.06, -0.02}, {0.12, -0.45, -0.5});
  add_hand(m, {-0.03, -0.0, 0.48}, {-0.35, -0.5, 0.0});
}

void shotgun(model& m) {
  material steel = metal(0x464a50), wood = matte(0x8a5a2c), wood_dark = matte(0x6a4420);
  add_box(m, {0, 0.05, 0.05}, {0.06, 0.07, 0.2}, steel);
  add_capsule(m, {0, 0.09, 0.2}, {0, 0.09, 1.0}, 0.034, steel);
  add_capsule(m, {0, 0.02, 0.2}, {0, 0.02, 0.85}, 0.03, metal(0x3a3c40));
  add_box(m, {0, 0.03, 0.55}, {0.055, 0.05, 0.13}, wood);
  for (int i = 0; i < 4; ++i) add_box(m, {0, 0.03, 0.45 + i * 0.065}, {0.057, 0.052, 0.008}, wood_dark);
  add_box(m, {0, 0.0, -0.3}, {0.05, 0.08, 0.2}, wood);
  add_box(m, {0, 0.14, 0.98}, {0.008, 0.015, 0.008}, metal(0xd0d0d0));
  add_hand(m, {0, -0.05, -0.06}, {0.12, -0.45, -0.5});
  add_hand(m, {-0.03, -0.01, 0.55}, {-0.35, -0.5, 0.05});
}

void energy(model& m, float glow) {
  material shell = metal(0xd8dce0), dark = metal(0x30343a);
  color hot = mix(rgb(0x206080), rgb(0x80ffff), glow);
  add_box(m, {0, 0.06, 0.1}, {0.08, 0.09, 0.3}, shell);
  add_box(m, {0, 0.17, 0.05}, {0.04, 0.03, 0.2}, dark);
  for (int i = 0; i < 3; ++i)
    add_capsule(m, {-0.085, 0.06, i * 0.12}, {0.085, 0.06, i * 0.12}, 0.04, glowing(hot));
  add_capsule(m, {0.04, 0.06, 0.4}, {0.04, 0.06, 0.72}, 0.02, dark);
  add_capsule(m, {-0.04, 0.06, 0.4}, {-0.04, 0.06, 0.72}, 0.02, dark);
  add_ellipsoid(m, {0, 0.06, 0.62}, {0.035, 0.035, 0.08}, glowing(hot));
  add_box(m, {0, -0.06, -0.02}, {0.035, 0.08, 0.04}, dark);
  add_box(m, {0, 0.05, -0.28}, {0.06, 0.07, 0.1}, shell);
  add_hand(m, {0, -0.07, -0.02}, {0.12, -0.45, -0.5});
  add_hand(m, {-0.06, -0.02, 0.3}, {-0.38, -0.5, -0.1});
}

void heavy(model& m, float glow) {
  material olive = metal(0x4a5a3a), dark = metal(0x262a26);
  color cell = mix(rgb(0x206020), rgb(0x90ff80), glow);
  add_capsule(m, {0, 0.12, -0.35}, {0, 0.12, 0.75}, 0.12, olive);
  add_capsule(m, {0, 0.12, 0.75}, {0, 0.12, 0.85}, 0.14, dark);
  add_box(m, {0, 0.12, 0.2}, {0.13, 0.02, 0.1}, dark);
  add_capsule(m, {0.1, 0.0, -0.1}, {0.1, 0.0, 0.25}, 0.07, glowing(cell));
  add_box(m, {0, 0.27, 0.1}, {0.02, 0.04, 0.12}, dark);
  add_box(m, {0, -0.06, -0.02}, {0.04, 0.08, 0.04}, dark);
  add_hand(m, {0, -0.08, -0.02}, {0.15, -0.45, -0.5});
  add_hand(m, {-0.1, 0.0, 0.4}, {-0.4, -0.5, 0.1});
}

}  // namespace

model build_weapon_model(int weapon, float glow) {
  model m;
  switch (weapon) {
    case 0:
      blade(m);
      break;
    case 1:
      automatic(m);
      break;
    case 2:
      shotgun(m);
      break;
    case 3:
      energy(m, glow);
      break;
    default:
      heavy(m, glow);
      break;
  }
  return m;
}

vec3 weapon_muzzle(int weapon) {
  switch (weapon) {
    case 0:
      return {0, 0.02, 0.55};
    case 1:
      return {0, 0.06, 0.985};
    case 2:
      return {0, 0.09, 1.03};
    case 3:
      return {0, 0.06, 0.75};
    default:
      return {0, 0.12, 0.99};
  }
}

void add_reload_hand(model& m, int weapon, vec3 p) {
  material glove = matte(0x5a4a38), sleeve = matte(0x5a6a3a);
  add_ellipsoid(m, p, {0.08, 0.075, 0.09}, glove);
  add_capsule(m, p + vec3{-0.04, -0.04, -0.02}, p + vec3{-0.4, -0.45, -0.2}, 0.07, sleeve);
  switch (weapon) {
    case 1:
      add_oriented(m, prim_kind::box, p + vec3{0, 0.1, 0.02}, {0.035, 0, 0}, {0, 0.12, 0.03},
                   {0, -0.01, 0.045}, metal(0x202226));
      break;
    case 2:
      add_capsule(m, p + vec3{0, 0.07, -0.04}, p + vec3{0, 0.07, 0.08}, 0.03, metal(0xc02828));
      add_box(m, p + vec3{0, 0.07, -0.06}, {0.032, 0.032, 0.02}, metal(0xd0a040));
      break;
    case 3:
      add_box(m, p + vec3{0, 0.1, 0}, {0.05, 0.08, 0.05}, metal(0x40484f));
      add_box(m, p + vec3{0, 0.1, 0.05}, {0.03, 0.05, 0.005}, glowing(rgb(0x40d8ff)));
      break;
    case 4:
      add_capsule(m, p + vec3{0, 0.09, -0.1}, p + vec3{0, 0.09, 0.15}, 0.07, glowing(rgb(0x60f060)));
      break;
    default:
      break;
  }
}
