// The in-game HUD: console, weapon or scope, face, icons, numbers, score,
// pickup message and the debug read-outs.
#pragma once
#include <cstdint>

struct console;
struct image_coverage_cache;
struct player;
struct texture_table;

// Draws the HUD in the screen square, in order: the open console, the
// weapon (or the scope while zoomed), the face, the icons, health and
// ammunition, the score, the pickup message, then the read-outs the
// player's debug_draw_flags ask for. Called by render_frame's 2-D pass.
// With `coverage`, the weapon and scope images are drawn only where they
// can show (render/image_coverage.h); without, whole.
void draw_hud(int32_t fps_value, const texture_table& textures, const console& con, const player& p,
              image_coverage_cache* coverage = nullptr);

// The console: a grey panel over the top half, the line being typed at its
// foot and the history above it, newest first.
void draw_console(const texture_table& textures, const console& con);

// The weapon in the player's hands over the whole screen; with `coverage`
// only where it can show.
void draw_view_model(const texture_table& textures, const player& p,
                     image_coverage_cache* coverage = nullptr);

// The face that shows how healthy the player is.
void draw_face(const texture_table& textures, const player& p);

// The health icon, and the ammunition icon of the gun in hand.
void draw_hud_icons(const texture_table& textures, const player& p);
