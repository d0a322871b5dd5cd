// The skill the levels are played at: how hard enemies hit the player and
// how long they aim before they shoot.
#pragma once
#include <cstdint>

struct config_table;

// The values of the variable `skill`. Normal is the game's own numbers.
enum skill_level : int32_t {
  skill_easy = 0,
  skill_normal = 1,
  skill_hard = 2,
};

// Whether `value` is one of the three skills.
bool skill_valid(int32_t value);

// "Easy", "Normal" or "Hard"; "Normal" for any other value, as it plays.
const char* skill_name(int32_t skill);

// The hit points a hit of `damage` takes from the player: half on Easy
// (rounded up, so a hit always hurts), one and a half times on Hard.
int32_t skill_damage(int32_t skill, int32_t damage);

// An enemy's aim time: twice as long on Easy, as it is otherwise.
double skill_aim_time(int32_t skill, double aim_time);

// The table's `skill` when it is one of the three, else Normal.
int32_t config_skill(const config_table& table);
