// The marks where the player's instant shots struck, seen through walls.
#pragma once
#include <cstdint>

struct player;

// Draws each active hit marker as a small quad of the blood image at its
// position, turned to face the camera horizontally. Called by render_frame
// inside the camera transform, with depth testing off.
void draw_hit_markers(const player& p, uint32_t blood_texture);
