// A posable figure built from primitives: the common body plan of every enemy and boss.
#pragma once

#include "tools/assetgen/model3d.h"

// Head designs.
enum class head_kind { bare, helmet, hard_hat, alien, robot, hood, horned };
// What the figure holds.
enum class weapon_kind { none, rifle, pistol, laser, cannon, orb, claws };

// How one kind of figure looks. Sizes are fractions of the standing height unless noted.
struct body_style {
  double height = 2.8;  // standing height in world units
  double bulk = 1.0;    // width factor of torso and limbs
  double limb = 0.045;  // limb radius
  double head = 0.075;  // head radius
  double legs = 0.47;   // hip height
  material skin, shirt, pants, boots, headgear, accent, gun, eyes, flash;
  head_kind head_style = head_kind::bare;
  weapon_kind weapon = weapon_kind::none;
  weapon_kind second_weapon = weapon_kind::none;  // held in the left hand in the other phase
  bool backpack = false;
  bool shoulder_pads = false;
  bool antenna = false;
  bool tentacles = false;  // floats on tentacles instead of legs
  bool chest_plate = false;
  bool core = false;  // glowing chest core
  bool belly = false;
};

// The joint angles and flags of one animation cell (angles in radians).
struct body_pose {
  double hip[2] = {0, 0};  // leg swing forward, [0] left, [1] right
  double knee[2] = {0, 0};
  double shoulder[2] = {0.15, 0.15};  // arm raise forward
  double elbow[2] = {0.25, 0.25};
  double arm_out[2] = {0.12, 0.12};
  double lean = 0;       // torso forward
  double head_tilt = 0;  // head down
  double drop = 0;       // pelvis lowering, fraction of height
  double fall = 0;       // whole body toppling sideways
  double sway = 0;       // tentacle sway phase
  int aim = 0;           // 0 weapon low, 1 aimed, 2 aimed and firing
  int phase = 0;         // 0 main weapon, 1 second weapon
  bool pain = false;     // reddened skin
  bool blood = false;    // pool of blood under the body
};

// Builds the figure standing on y = 0, facing +z (its right hand on the -x side).
model build_body(const body_style& style, const body_pose& pose);
