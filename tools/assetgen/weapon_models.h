// The five weapons as primitive models, held in the player's hands, pointing along +z.
#pragma once

#include "tools/assetgen/model3d.h"

// Which weapon: 0 blade, 1 automatic gun, 2 shotgun, 3 energy gun, 4 heavy gun.
// glow (0 to 1) lights the energy parts; hands adds the gloved hands and forearms.
model build_weapon_model(int weapon, float glow);

// Point of the weapon's muzzle in its own frame: the middle of the barrel's open end.
vec3 weapon_muzzle(int weapon);

// Adds the loader's left hand carrying the weapon's ammunition (magazine, shell, cell) at p.
void add_reload_hand(model& m, int weapon, vec3 p);
