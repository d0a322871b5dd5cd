// A game set up on the real catalogue for screenshots: its own window,
// the generated data/ directory and helpers to judge the pictures.
#pragma once
#include <cstdint>
#include <vector>

struct game_state;
struct platform_window;

constexpr int shot_width = 640;
constexpr int shot_height = 480;

// A picture read back from the window, rows from the bottom.
struct screenshot {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// Opens a hidden shot_width x shot_height window with its GL context once
// per executable, enters the directory holding data/ (TARVO_DATA_DIR's
// parent) and loads the catalogue into `gs`. False when there is no data/
// with textures or no window.
bool open_screen_game(game_state& gs);

// The game's default variables and a shot_width x shot_height view at 70
// degrees, 300 units deep, 60 frames a second.
void set_screen_video(game_state& gs);

// A game on the real catalogue (open_screen_game) with set_screen_video's
// view and an empty entity list, ready to load a level; null when there is
// no data/ with textures or no window.
game_state* new_screen_game();

// Unloads its level and frees the game new_screen_game made (null is fine).
void delete_screen_game(game_state* gs);

// Frees the loaded level (entities, tree, nodes, world textures) and leaves
// an empty entity list, ready for the next load.
void unload_screen_level(game_state& gs);

// The window's pixels now.
screenshot grab_screenshot();

// Draws into an off-screen picture of `width` x `height` pixels (a frame
// buffer object, viewport set to match) until end_picture; false when the
// driver cannot make one.
bool begin_picture(int width, int height);

// The off-screen picture's pixels now.
screenshot grab_picture();

// Back to drawing into the window, its viewport restored; the picture is
// released.
void end_picture();

// Writes the picture as a binary PPM, top row first.
bool write_ppm(const screenshot& shot, const char* path);

// How many distinct colours the picture holds (bucketed to 5 bits a channel).
int distinct_colours(const screenshot& shot);

// The share of pixels of the screen-square rectangle (x0, y0)-(x1, y1) that
// differ between two pictures by more than a little driver noise.
double changed_share(const screenshot& a, const screenshot& b, double x0, double y0, double x1, double y1);
