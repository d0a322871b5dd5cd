// Enemy designs: colours, proportions, head gear and weapons of each kind.
#include "tools/assetgen/enemy_kinds.h"

namespace {

const enemy_sheet sheets[enemy_sheet_count] = {
    {"textures/mob/mob1.webp", 1.0, 3.0, 8, 32, false},
    {"textures/mob/mob2.webp", 1.5, 3.5, 10, 32, true},
    {"textures/mob/mob3.webp", 1.0, 3.0, 10, 32, true},
    {"textures/mob/mob4.webp", 2.0, 5.0, 10, 28, true},
    {"textures/mob/mob5.webp", 1.25, 3.5, 10, 32, true},
    {"textures/mob/mob6.webp", 1.0, 3.0, 10, 32, true},
    {"textures/mob/mob7.webp", 1.0, 3.0, 10, 32, true},
    {"textures/mob/mob8.webp", 1.0, 3.0, 10, 32, true},
    {"textures/mob/mob9.webp", 1.0, 3.0, 10, 32, true},
    {"textures/mob/mob10.webp", 1.0, 3.0, 10, 32, true},
    {"textures/mob/mob13.webp", 1.5, 3.5, 10, 32, true},
    {"textures/mob/mob14.webp", 1.25, 3.5, 10, 32, true},
    {"textures/mob/boss1.webp", 8.0, 12.0, 12, 12, true},
    {"textures/mob/boss2.webp", 8.0, 12.0, 12, 12, true},
};

material matte(uint32_t hex) { return material{rgb(hex), 0.0f, false}; }
material metal(uint32_t hex) { return material{rgb(hex), 0.8f, false}; }
material glow(uint32_t hex) { return material{rgb(hex), 0.0f, true}; }

body_style base_style(double height) {
  body_style s;
  s.height = height;
  s.skin = matte(0xd8a27a);
  s.shirt = matte(0x5a6b3a);
  s.pants = matte(0x3e4a2a);
  s.boots = matte(0x2a2420);
  s.headgear = matte(0x3a2a1a);
  s.accent = matte(0x6a6a60);
  s.gun = metal(0x3c3f44);
  s.eyes = matte(0x1a1010);
  s.flash = glow(0xffc040);
  return s;
}

}  // namespace

const enemy_sheet& enemy_sheet_at(int i) { return sheets[i < 0 || i >= enemy_sheet_count ? 0 : i]; }

body_style enemy_style(int i) {
  const enemy_sheet& sh = enemy_sheet_at(i);
  body_style s = base_style(sh.full_height * 0.9);
  switch (i) {
    case 0:  // worker: overalls and a yellow hard hat, empty hands
      s.shirt = matte(0x3a62a8);
      s.pants = matte(0x2c4a86);
      s.headgear = matte(0xf0c020);
      s.accent = matte(0xe07020);
      s.head_style = head_kind::hard_hat;
      s.chest_plate = true;
      s.height = 2.6;
      break;
    case 1:  // heavy trooper: bulky olive armour, plasma pistol
      s.bulk = 1.45;
      s.shirt = metal(0x55663a);
      s.pants = matte(0x3a4428);
      s.accent = metal(0x6f7d4a);
      s.headgear = metal(0x4a5a30);
      s.eyes = glow(0xff7020);
      s.head_style = head_kind::helmet;
      s.shoulder_pads = true;
      s.backpack = true;
      s.weapon = weapon_kind::pistol;
      s.flash = glow(0xffe060);
      break;
    case 2:  // mind-slave soldier: khaki fatigues, rifle, red eyes
      s.shirt = matte(0x8a7a4a);
      s.pants = matte(0x6a5c38);
      s.headgear = matte(0x5a4a2a);
      s.eyes = glow(0xff2020);
      s.weapon = weapon_kind::rifle;
      s.head_style = head_kind::bare;
      break;
    case 3:  // cyborg brute: towering chrome body with an arm cannon
      s.bulk = 1.5;
      s.limb = 0.05;
      s.skin = metal(0xa8b0b8);
      s.shirt = metal(0x848c94);
      s.pants = metal(0x5e656c);
      s.boots = metal(0x3a3e44);
      s.headgear = metal(0x7a8088);
      s.accent = metal(0xb04030);
      s.eyes = glow(0xff3030);
      s.gun = metal(0x5a3a30);
      s.head_style = head_kind::robot;
      s.weapon = weapon_kind::cannon;
      s.shoulder_pads = true;
      s.chest_plate = true;
      s.flash = glow(0xff5050);
      break;
    case 4:  // psionic alien: purple, huge head, glowing orb
      s.skin = matte(0x9a5ab8);
      s.shirt = matte(0x4a2a6a);
      s.pants = matte(0x3a2050);
      s.boots = matte(0x2a1838);
      s.eyes = glow(0x60ffff);
      s.head = 0.1;
      s.limb = 0.035;
      s.head_style = head_kind::alien;
      s.weapon = weapon_kind::orb;
      s.flash = glow(0xd070ff);
      break;
    case 5:  // hypno-trooper: blue jumpsuit, dark helmet with a cyan visor
      s.shirt = matte(0x2a4a8a);
      s.pants = matte(0x203868);
      s.headgear = metal(0x1a2030);
      s.eyes = glow(0x40e0ff);
      s.head_style = head_kind::helmet;
      s.weapon = weapon_kind::pistol;
      s.backpack = true;
      s.accent = matte(0x303840);
      s.flash = glow(0xfff080);
      break;
    case 6:  // green alien gunner with antenna and laser rifle
      s.skin = matte(0x6ab040);
      s.shirt = matte(0x2a3a2a);
      s.pants = matte(0x1a2a1a);
      s.eyes = glow(0x101010);
      s.accent = matte(0x304030);
      s.head_style = head_kind::alien;
      s.antenna = true;
      s.weapon = weapon_kind::laser;
      s.flash = glow(0x70ff70);
      s.gun = metal(0x505860);
      s.eyes = glow(0xf0ff40);
      break;
    case 7:  // cyborg soldier: chrome limbs, red visor, laser
      s.skin = metal(0xa0a8b0);
      s.shirt = metal(0x404850);
      s.pants = metal(0x30363c);
      s.headgear = metal(0x9098a0);
      s.eyes = glow(0xff2020);
      s.accent = metal(0x70787f);
      s.head_style = head_kind::robot;
      s.weapon = weapon_kind::laser;
      s.chest_plate = true;
      s.flash = glow(0xff6060);
      break;
    case 8:  // void ghoul: grey-green flesh, hood, claws, glowing eyes
      s.skin = matte(0xa0b08a);
      s.shirt = matte(0x3a6a5a);
      s.pants = matte(0x2e4a40);
      s.headgear = matte(0x2a4a40);
      s.eyes = glow(0x80ff40);
      s.head_style = head_kind::hood;
      s.weapon = weapon_kind::claws;
      s.gun = matte(0xe0e0c8);
      s.flash = glow(0x80ff40);
      break;
    case 9:  // commander: gold armour, shoulder pads, heavy rifle
      s.bulk = 1.15;
      s.shirt = metal(0xb08a30);
      s.pants = matte(0x3a3028);
      s.headgear = metal(0xc09a40);
      s.accent = metal(0xd0b050);
      s.eyes = glow(0x40c0ff);
      s.head_style = head_kind::helmet;
      s.weapon = weapon_kind::laser;
      s.shoulder_pads = true;
      s.chest_plate = true;
      s.flash = glow(0x60d0ff);
      break;
    case 10:  // brute alien: broad orange body, horns, fireball hand
      s.bulk = 1.5;
      s.belly = true;
      s.skin = matte(0xd07030);
      s.shirt = matte(0xb05a28);
      s.pants = matte(0x5a3020);
      s.accent = matte(0xe8d8b0);
      s.eyes = glow(0xffff40);
      s.head_style = head_kind::horned;
      s.weapon = weapon_kind::orb;
      s.flash = glow(0xff8020);
      break;
    case 11:  // void knight: black armour with blue energy
      s.bulk = 1.2;
      s.skin = metal(0x303040);
      s.shirt = metal(0x20202c);
      s.pants = metal(0x1a1a24);
      s.headgear = metal(0x282838);
      s.accent = glow(0x3080ff);
      s.eyes = glow(0x40a0ff);
      s.head_style = head_kind::helmet;
      s.weapon = weapon_kind::orb;
      s.flash = glow(0xff9030);
      s.core = true;
      s.shoulder_pads = true;
      break;
    case 12:  // boss 1: giant cyborg warlord with twin cannons
      s.bulk = 2.1;
      s.limb = 0.05;
      s.skin = metal(0x7a7068);
      s.shirt = metal(0x5a3a32);
      s.pants = metal(0x403a38);
      s.boots = metal(0x2a2626);
      s.headgear = metal(0x8a8078);
      s.accent = metal(0xc04a20);
      s.eyes = glow(0xff2010);
      s.gun = metal(0x4a4a50);
      s.head_style = head_kind::robot;
      s.weapon = weapon_kind::cannon;
      s.second_weapon = weapon_kind::cannon;
      s.shoulder_pads = true;
      s.chest_plate = true;
      s.core = true;
      s.flash = glow(0xff4020);
      break;
    default:  // boss 2: void overlord floating on tentacles, horned, glowing core
      s.bulk = 2.0;
      s.head = 0.09;
      s.skin = matte(0x5a2a7a);
      s.shirt = matte(0x3a1a52);
      s.pants = matte(0x2a1040);
      s.accent = matte(0xe0d0f0);
      s.eyes = glow(0xff40ff);
      s.head_style = head_kind::horned;
      s.weapon = weapon_kind::orb;
      s.second_weapon = weapon_kind::claws;
      s.gun = matte(0xe0d0f0);
      s.tentacles = true;
      s.core = true;
      s.flash = glow(0xff60ff);
      break;
  }
  return s;
}
