// The Controls page of the options: every bound action with its key. Space
// on a row waits for the next key pressed and binds it (Escape cancels); a
// key already bound to another action is swapped with it; the bindings are
// written into the config like the other options.
#pragma once
#include <cstdint>

#include "config/keyboard_poll.h"
#include "game/menu_state.h"

struct config_table;
struct config_var;
struct font_pair;
struct key_state;

// The page's rows: one per key binding (the in_ variables, in table order),
// then "Back". The row of "Back".
int32_t controls_back_row(const config_table& config);

// The variable bound on row `row` (1 for the top row); null for "Back" and
// off the page.
const config_var* controls_row_var(const config_table& config, int32_t row);

// The action of variable `name` as the page names it ("Forward" for
// in_forward); the name itself for a variable it does not know.
const char* controls_action_label(const char* name);

// Binds row `row`'s action to key `code`. An action that had a key reading
// the same slot takes the row's old key instead, so no key is bound twice
// and none is lost. False when the row holds no binding.
bool controls_bind(config_table& config, int32_t row, uint8_t code);

// Draws the page over a dark panel: the heading, one row per action with its
// key's name ("press a key" on the row waiting for one), "Back", the cursor
// and a line on the keys.
void draw_controls_page(const menu_state& menu, const font_pair& font, const config_table& config);

// The page's keys for one pass, after the keyboard was polled into `keys`:
// while a row waits, the first key pressed is bound to it (and the bindings
// are saved) or Escape cancels; otherwise Up and Down move the cursor,
// Space on a row waits for its key, Space on "Back" or Escape goes back to
// the options page on the "Controls" row.
void controls_keys(menu_state& menu, config_table& config, const key_state& keys, key_down_test key_down);

// Whether Escape belongs to the menus now instead of ending the game: on the
// Controls page, and until an Escape the menus took is let go. Asked by the
// main loop before it ends the program on Escape.
bool menu_takes_escape(const menu_state& menu);
