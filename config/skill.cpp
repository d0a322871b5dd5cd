// The skill the levels are played at.
#include "config/skill.h"

#include "config/config_table.h"

bool skill_valid(int32_t value) { return value >= skill_easy && value <= skill_hard; }

const char* skill_name(int32_t skill) {
  if (skill == skill_easy) return "Easy";
  if (skill == skill_hard) return "Hard";
  return "Normal";
}

int32_t skill_damage(int32_t skill, int32_t damage) {
  if (skill == skill_easy) return damage / 2 + damage % 2;
  if (skill == skill_hard) return damage + damage / 2 + damage % 2;
  return damage;
}

double skill_aim_time(int32_t skill, double aim_time) {
  return skill == skill_easy ? 2.0 * aim_time : aim_time;
}

int32_t config_skill(const config_table& table) {
  const int32_t skill = config_at(table, cfg_skill).value.as_int;
  return skill_valid(skill) ? skill : skill_normal;
}
