// Turning the command line into game_options.
#include "app/command_line.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/directory.h"

#ifndef TARVO_VERSION
#define TARVO_VERSION "unknown"
#endif

namespace {

const char usage_text[] =
    "usage: tarvo [OPTION]...\n"
    "Without options the game starts at its title menu.\n"
    "\n"
    "  --help                  print this help and exit\n"
    "  --version               print the version and exit\n"
    "  --map PATH              play the map file PATH at once, skipping the menus\n"
    "  --record FILE           with --map: record the level's input into the demo FILE,\n"
    "                          written when the level ends or the game is left\n"
    "  --playdemo FILE         replay the demo FILE in the window at its own tick rate,\n"
    "                          then exit\n"
    "  --timedemo FILE         replay the demo FILE as fast as frames can be drawn (vsync\n"
    "                          off), print the frame rate, then exit\n"
    "  --screenshot TICK:FILE  write the frame drawn at tick TICK (counted from 1) to the\n"
    "                          PNG file FILE; may be given several times\n"
    "  --check                 hold every tick of a level to the rules of play (numbers\n"
    "                          finite, entities linked and in the level, health, rounds\n"
    "                          and counters changed only as the game allows); the first\n"
    "                          broken rule is logged, and ends a replay with status 1\n"
    "\n"
    "Both replays end with the line \"demo end: tick T pos X Y Z health H score S kills K\".\n"
    "With --playdemo or --timedemo, --record FILE writes the replayed input again with\n"
    "the states this build reaches. F12 writes screenshots/tarvo-NNNN.png at any time.\n";

constexpr size_t path_size = 4096;

// An absolute form of `path`: its real path when it exists, else its
// folder's real path and its name, else the current directory joined to it.
std::string absolute_path(const char* path) {
  char resolved[PATH_MAX];
  if (realpath(path, resolved)) return resolved;
  std::string text = path;
  size_t slash = text.rfind('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : text.substr(0, slash));
  std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
  if (realpath(folder.c_str(), resolved)) return std::string(resolved) + (resolved[1] ? "/" : "") + name;
  if (!text.empty() && text[0] == '/') return text;
  char directory[path_size];
  if (!platform_get_current_directory(directory, sizeof directory)) return text;
  return std::string(directory) + "/" + text;
}

bool fail(const char* format, const char* detail) {
  fputs("tarvo: ", stderr);
  fprintf(stderr, format, detail);
  fputc('\n', stderr);
  print_usage(stderr);
  return false;
}

// "TICK:FILE" with a tick of 1 or more and a file name.
bool parse_screenshot(const char* text, command_line& out) {
  const char* colon = strchr(text, ':');
  if (!colon || colon == text || colon[1] == '\0' || colon - text > 10) return false;
  long long tick = 0;
  for (const char* c = text; c < colon; ++c) {
    if (*c < '0' || *c > '9') return false;
    tick = tick * 10 + (*c - '0');
  }
  if (tick < 1 || tick > INT32_MAX) return false;
  out.paths.push_back(absolute_path(colon + 1));
  out.screenshots.push_back(screenshot_request{static_cast<int32_t>(tick), out.paths.back().c_str()});
  return true;
}

// The options that take a value, and where the value goes.
bool take_path_option(const char* name, const char* value, command_line& out) {
  out.paths.push_back(absolute_path(value));
  const char* path = out.paths.back().c_str();
  game_options& o = out.options;
  if (strcmp(name, "--map") == 0) {
    o.map_path = path;
  } else if (strcmp(name, "--record") == 0) {
    o.record_path = path;
  } else {
    bool timed = strcmp(name, "--timedemo") == 0;
    if (o.demo_path && (o.timedemo != 0) != timed)
      return fail("%s", "--playdemo and --timedemo cannot be combined");
    o.demo_path = path;
    o.timedemo = timed ? 1 : 0;
  }
  return true;
}

bool takes_value(const char* name) {
  return strcmp(name, "--map") == 0 || strcmp(name, "--record") == 0 || strcmp(name, "--playdemo") == 0 ||
         strcmp(name, "--timedemo") == 0 || strcmp(name, "--screenshot") == 0;
}

const char* value_name(const char* option) {
  if (strcmp(option, "--map") == 0) return "PATH";
  if (strcmp(option, "--screenshot") == 0) return "TICK:FILE";
  return "FILE";
}

// The options that only make sense together.
bool check_combination(const game_options& o) {
  if (o.demo_path && o.map_path)
    return fail("%s", "--map cannot be combined with a demo replay (the demo names its map)");
  if (o.record_path && !o.map_path && !o.demo_path)
    return fail("%s", "--record needs --map PATH (or a demo to replay)");
  return true;
}

}  // namespace

void print_usage(FILE* stream) { fputs(usage_text, stream); }

command_line_result parse_command_line(int argc, char** argv, command_line& out) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--help") == 0) {
      print_usage(stdout);
      return command_line_done;
    }
    if (strcmp(arg, "--version") == 0) {
      printf("tarvo %s\n", TARVO_VERSION);
      return command_line_done;
    }
    if (strcmp(arg, "--check") == 0) {
      out.options.check_rules = 1;
      continue;
    }
    if (!takes_value(arg)) {
      fail(arg[0] == '-' ? "unknown option \"%s\"" : "unexpected argument \"%s\"", arg);
      return command_line_error;
    }
    if (i + 1 >= argc || argv[i + 1][0] == '\0') {
      char text[64];
      snprintf(text, sizeof text, "%s needs %s", arg, value_name(arg));
      fail("%s", text);
      return command_line_error;
    }
    const char* value = argv[++i];
    bool ok = strcmp(arg, "--screenshot") == 0
                  ? parse_screenshot(value, out) ||
                        fail("--screenshot needs TICK:FILE with a tick of 1 or more, not \"%s\"", value)
                  : take_path_option(arg, value, out);
    if (!ok) return command_line_error;
  }
  if (!check_combination(out.options)) return command_line_error;
  out.options.screenshots = out.screenshots.empty() ? nullptr : out.screenshots.data();
  out.options.screenshot_count = static_cast<int32_t>(out.screenshots.size());
  return command_line_run;
}
