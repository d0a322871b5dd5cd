// The player's weapon record.
#pragma once
#include <cstdint>

constexpr int gun_count = 5;

struct gun {
  double fire_interval;   // seconds between shots while the trigger is held
  double fire_timer;      // seconds since the last shot or the trigger press
  int32_t trigger;        // 1 while fire is held and not reloading
  int32_t damage;         // hit points removed by one instant shot
  int32_t reserve;        // ammunition carried
  int32_t loaded;         // ammunition in the gun
  int32_t fire_images;    // images of the firing animation
  int32_t reload_images;  // images of the reloading animation
};

// The five guns as a new player carries them.
void gun_initial_values(gun (&guns)[gun_count]);
