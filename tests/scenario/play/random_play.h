// Random play of the campaign's levels through the game as it runs: its
// start-up, its game pass with a demo recording each life, its death
// screen, its console and video restart, with the rules of play checked
// after every tick.
#pragma once
#include <cstddef>
#include <string>

struct game_state;

// Totals over everything played.
struct play_figures {
  long plays = 0;  // seed and level pairs
  long ticks = 0;
  long deaths = 0;
  long restarts = 0;  // lives begun again after a death, a completion or quit
  long completions = 0;
  long quits = 0;
  long video_restarts = 0;
  long console_lines = 0;
  long findings = 0;
  size_t longest_list = 0;  // entity list entries, the head included
};

// The game, started as run_game starts it, in a scratch folder whose data/
// links to the generated data and holds a copy of the shipped config with
// the smallest window. Failure demos are kept in `keep_folder`.
struct play_game {
  std::string folder;       // the scratch folder, the current directory while it lives
  std::string previous;     // the current directory before
  std::string keep_folder;  // where the demo of a failed check is written
  game_state* gs = nullptr;

  // False (with a line on standard error) when the data is missing.
  bool start(const std::string& data_dir, const std::string& keep);
  ~play_game();
};

// Plays campaign level `level` for `ticks` game ticks with the input that
// `seed` draws, starting as a fresh game would with the shipped config.
// Each life is recorded as a demo and checked as --check checks it. Returns
// "" when every rule held, otherwise "seed S level L (map), in the life's
// tick T: what broke", with the command that replays the life's demo to
// that tick and breaks the rule again.
std::string random_play(play_game& game, unsigned long long seed, int level, int ticks,
                        play_figures& figures);
