// Applying the configuration variables to the video settings and the player.
#pragma once

struct config_table;
struct player;
struct video_settings;

// Clears config_changed, refreshes the variable-derived video settings and
// copies the in_ variables into the player's key bindings, the mouse speeds
// into the player (m_speed overrides both axes, in the table as well) and
// m_kb_look_speed into look_key_speed. Runs at start-up, at every level
// start, when the console closes and after the console sets a variable.
void bind_keys(config_table& table, video_settings& video, player& p);
