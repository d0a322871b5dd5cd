// Recording and replaying demos beside the main loop. The loop hands each
// game tick its input through here; the tick itself never knows whether
// the input is live or replayed.
#pragma once
#include <cstdint>
#include <string>

#include "app/demo_file.h"
#include "app/play_check.h"
#include "config/key_state.h"
#include "config/keyboard_poll.h"

struct game_options;
struct game_state;

struct demo_session {
  // Replaying (--playdemo, --timedemo).
  bool replaying;
  bool timing;  // flat out, with the frame rate printed at the end
  std::string demo_path;
  demo played;
  std::string played_map;    // the replayed demo's map, found on disk
  key_state replay_keys;     // the recorded key slots as of the last tick fed
  int32_t replay_ticks;      // ticks fed so far
  int32_t first_divergence;  // first tick whose state differs from the recording; 0 when none
  bool replay_finished;      // the demo's last tick (or the level's end) has run
  std::string replay_end_line;
  uint64_t timing_start;  // counter reading at the first replayed tick
  int32_t frames;         // frames drawn by the replay

  // Recording (--record).
  bool recording;  // still gathering ticks
  bool record_written;
  bool record_failed;  // the demo could not be written
  std::string record_path;
  std::string record_map;  // the map being recorded on, as the demo names it
  demo recorded;
  key_state last_polled;  // the key slots the previous tick saw

  // Checking the rules of play (--check): after every tick of a level, live,
  // recorded or replayed. The first broken rule is logged; a replay stops
  // there.
  bool checking;
  bool check_started;   // the watch has seen the level's start
  int32_t check_ticks;  // ticks of the level checked so far
  play_watch watch;
  std::string check_failure;  // "tick T: what broke", empty while every rule holds

  // The key-down test of live play; null means the platform's keyboard.
  // Tests put scripted keys here.
  key_down_test live_keys;
};

// Prepares the session from the command line, before anything else starts:
// the demo to replay is read and its map found; the folder of the demo to
// record is checked. A relative map path in a demo is looked for beside
// the demo, then in the current directory (the game's). False, with a log
// line, when the session cannot run (the program then ends with status 1).
bool demo_session_open(demo_session& s, const game_options& options);

// The map the session plays: the replayed demo's, or the one given with
// --map for a recording.
const char* demo_session_map(const demo_session& s, const game_options& options);

// Called after the start-up and before the level loads. A replay puts the
// recorded variables in place (all but the window's own: size, fullscreen
// and vsync stay the player's) with their tick length; a recording notes
// the variables in force. Both restart the C library's generator from its
// initial seed, so that nothing drawn before the level shifts the draws. A
// timed replay turns vsync off.
void demo_session_begin(demo_session& s, game_state& gs);

// The input of one game tick: a replay puts the recorded key slots and
// mouse in place; live play polls the keyboard. A recording then keeps
// what the tick will see.
void demo_tick_input(demo_session& s, game_state& gs);

// After the tick's frame: a recording keeps the state digest, and is
// written when `level_over` (the tick ended the level); a replay compares
// the digest with the recording's, logging the first tick that differs,
// and finishes at its last tick or with the level (quit_flag is raised).
// When checking, the state the tick left is held to the rules of play.
void demo_tick_done(demo_session& s, game_state& gs, bool level_over);

// Whether the main loop should run flat out: one tick and one frame per
// pass, no sleep.
bool demo_session_flat_out(const demo_session* s);

// After the main loop: a recording still open is written; a replay prints
// its frame rate (when timed) and its end line, or says where it was cut
// short. False when a recording was asked for and could not be written, or
// a checked replay broke a rule (the program then ends with status 1).
bool demo_session_close(demo_session& s, game_state& gs);
