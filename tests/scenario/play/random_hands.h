// A random player's hands: random sets of the bound keys held for random
// spans, the mouse moved and clicked, and now and then the console opened
// and lines typed into it from the real variables and commands, with good
// and bad arguments.
#pragma once
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/events.h"

struct config_table;
struct player;

struct random_hands {
  std::mt19937_64 rng;
  std::set<int> held;                 // virtual keys held through the span
  int span_left = 0;                  // passes until the next span
  int turn_x = 0, turn_y = 0;         // mouse counts each pass of the span
  int want_left = 0, want_right = 0;  // the buttons during the span
  int left = 0, right = 0;            // the buttons as last sent
  std::deque<std::set<int>> typing;   // the keys of the coming passes at the console
  long lines_typed = 0;               // console lines ended with return

  explicit random_hands(unsigned long long seed) : rng(seed) {}
  // The keys down (virtual-key codes) and the raw mouse messages of the
  // next pass, for a player with these bindings and variables.
  void next_pass(const player& p, const config_table& config, std::set<int>& keys,
                 std::vector<platform_event>& mouse);
};

// A console line: a variable read, set to a value it may hold or to one the
// console refuses, or a command, known or not, or text too long to fit.
std::string random_console_line(std::mt19937_64& rng, const config_table& config);
