// The entity record: one object of a level, in the doubly linked entity list.
#pragma once
#include <cstdint>

struct ai_node;

struct entity {
  int32_t type;   // type code; -1 marks for removal, -2 a stopped teleport orb
  int32_t id;     // sequence number from the level file; shots copy the shooter's
  int32_t frame;  // sprite animation cell
  int32_t state;  // enemy state 1..11
  int32_t health;
  int32_t burst_count;  // shots fired in the current burst
  int32_t* path;        // node ids of the current path; owned by the entity
  int32_t path_len;
  ai_node* target_node;
  int32_t path_pos;
  double anim_timer;
  double state_timer;
  double aux_timer;
  int32_t ai_flag;
  int32_t phase;
  double facing;     // radians, atan2(dx, dz) of the looked-at direction
  double aim_angle;  // radians, atan2(dz, dx) of the shots
  double pos[3];     // feet
  double vel[3];
  double aim_end[3];
  uint32_t sound_source;
  int32_t sound_event;  // 0 none, 1 pain, 2 shot
  entity* next;
  entity* prev;
};

// A new list head: a zero-filled entity of type 0, never updated or removed.
entity* entity_list_new_head();
