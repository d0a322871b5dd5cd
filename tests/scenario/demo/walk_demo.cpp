// tarvo_walk_demo: records a demo of the yardstick player on a level.
//
//   tarvo_walk_demo MAP DEMO [MAX_TICKS [SEED]]   (default 7200 ticks, seed 1)
//
// The walker of tests/scenario/levels/level_walk.h plays the level from its start
// along the navigation graph to the exit portal (to the enemy whose death
// ends the level when it has none, else to the node farthest from the
// start), fighting what it meets, until the level ends or MAX_TICKS have
// run. Everything goes through the game's own pass and the demo recorder,
// with the shipped config.cfg of the data folder the game finds (run it
// from a build), so every run can be watched with --playdemo (WALK_TRACE=1
// in the environment traces the walker). It ends with
// one line on standard error:
//
//   walk_demo: MAP seed S finished|failed ticks T kills K health H lost L
//
// (L the health lost on the way) and exits with status 0 when the level was
// finished, 3 when not. levels/README.md's table is made with it; so are the
// benchmark demos in bench/demos (see docs/demo-format.md).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/data_directory.h"
#include "app/demo_session.h"
#include "app/free_game_resources.h"
#include "app/game_state.h"
#include "app/run_game.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "base/flags.h"
#include "config/config_file.h"
#include "config/mouse_state.h"
#include "config/skill.h"
#include "game/level_table.h"
#include "platform/keyboard.h"
#include "platform/window.h"
#include "player/bind_keys.h"
#include "tests/scenario/levels/level_walk.h"
#include "world/ai_node.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"

namespace {

// The level whose map this is, so that a death that ends a level (the
// brute's on the Outpost) counts as it does in the campaign.
int level_of(const char* map) {
  std::string m = map;
  for (int i = 0; i < level_count; ++i) {
    std::string file = std::strrchr(level_table[i].map_path, '/') + 1;
    if (m.size() >= file.size() && m.compare(m.size() - file.size(), file.size(), file) == 0) return i;
  }
  return 0;
}

// The points to walk from where the player stands: the route to the exit,
// to a living enemy whose death ends the level, or to the node farthest
// along the links.
std::vector<walk_point> plan(const game_state& gs) {
  const player& p = gs.the_player;
  int from = nav_node_near(gs.ai_node_list, gs.bsp_root, {p.pos[0], p.pos[1], p.pos[2]});
  std::vector<walk_point> walk;
  if (from < 0) return walk;
  const entity* goal = nullptr;
  for (int type : {2, 213, 212, p.level_number == 4 ? 209 : 2})
    for (const entity* e = gs.entity_list; e && !goal; e = e->next)
      if (e->type == type && (type == 2 || e->health > 0)) goal = e;
  std::vector<int> route;
  if (goal)
    route =
        nav_route(gs.ai_node_list, from,
                  nav_node_near(gs.ai_node_list, gs.bsp_root, {goal->pos[0], goal->pos[1], goal->pos[2]}));
  if (route.empty()) {
    goal = nullptr;
    for (const ai_node* a = gs.ai_node_list; a; a = a->next) {
      std::vector<int> r = nav_route(gs.ai_node_list, from, a->id);
      if (r.size() > route.size()) route = r;
    }
  }
  for (int id : route) walk.push_back(nav_node_pos(gs.ai_node_list, id));
  if (goal) walk.push_back({goal->pos[0], goal->pos[1], goal->pos[2]});
  return walk;
}

// skill < 0 keeps the config's own skill.
bool start(game_state& gs, demo_session& session, const game_options& options, int skill) {
  gs.options = options;
  load_config(gs.config, gs.video);
  if (skill >= 0) config_at(gs.config, cfg_skill).value.as_int = skill;
  gs.window = platform_create_window("tarvo walk demo", 320, 200, false, true);
  if (!gs.window || !platform_create_gl_context(gs.window)) {
    fprintf(stderr, "walk_demo: no GL context: %s\n", platform_error());
    return false;
  }
  load_texture_catalogue(gs.textures);
  set_gl_blend_state();
  gs.entity_list = entity_list_new_head();
  gs.bsp_root = new bsp_node{};
  gs.keys = new key_state{};
  player_init(gs.the_player, gs.config);
  gs.the_player.level_number = level_of(options.map_path);
  bind_keys(gs.config, gs.video, gs.the_player);
  session.live_keys = walker_key_down;
  if (!demo_session_open(session, options)) return false;
  gs.demo = &session;
  demo_session_begin(session, gs);
  return enter_level(gs, demo_session_map(session, options));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: tarvo_walk_demo MAP DEMO [MAX_TICKS [SEED [SKILL]]]\n");
    return 2;
  }
  int max_ticks = argc > 3 ? atoi(argv[3]) : 7200;
  if (max_ticks < 1) max_ticks = 7200;
  uint32_t seed = argc > 4 ? static_cast<uint32_t>(strtoul(argv[4], nullptr, 10)) : 1;
  int skill = argc > 5 ? atoi(argv[5]) : -1;
  if (argc > 5 && !skill_valid(skill)) {
    fprintf(stderr, "walk_demo: skill %s is not 0 (Easy), 1 (Normal) or 2 (Hard)\n", argv[5]);
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  char* parse_argv[] = {argv[0], const_cast<char*>("--map"), argv[1], const_cast<char*>("--record"), argv[2]};
  command_line line;
  if (parse_command_line(5, parse_argv, line) != command_line_run) return 2;
  enter_data_directory();
  if (!platform_init()) return 1;
  reset_program_flags();
  game_state* gs = new game_state{};
  demo_session* session = new demo_session{};
  bool ok = start(*gs, *session, line.options, skill);
  int lost = 0, ticks = 0, health = 0;
  if (ok) {
    walker w = walker_new(plan(*gs), seed);
    health = gs->the_player.health;
    int planned = 0;
    for (; ticks < max_ticks && !gs->menu.active && quit_flag == 0; ++ticks) {
      // At the end of its way with the level not over (one of two bosses
      // dead), it goes after what is left, as a player would.
      if (w.mode == 0 && w.next + 1 >= w.way.size() && ticks - planned >= 140) {
        planned = ticks;
        walker_new_way(w, plan(*gs));
      }
      walker_input in = walker_step(w, gs->the_player, gs->entity_list, gs->bsp_root, gs->video.tick_step);
      walker_hold(in);
      gs->mouse = mouse_state{in.dx, in.dy, in.fire ? 1 : 0, gs->mouse.left, 0, 0};
      game_pass(*gs);
      gs->mouse.x_motion = 0;
      gs->mouse.y_motion = 0;
      platform_swap(gs->window);
      if (gs->menu.active) break;
      lost += std::max(0, health - std::max(0, gs->the_player.health));
      health = gs->the_player.health;
      // A death ends the run: the game would start the level again.
      if (health <= 0) break;
    }
  }
  bool finished = gs->menu.active && gs->menu.level_complete_screen && health > 0;
  demo_session_close(*session, *gs);
  // The level's last tick left it at once: its counters are read from the
  // demo's end line.
  int tick = 0, end_health = health, kills = 0;
  sscanf(session->recorded.end_line.c_str(), "demo end: tick %d pos %*f %*f %*f health %d score %*d kills %d",
         &tick, &end_health, &kills);
  lost += std::max(0, health - std::max(0, end_health));
  fprintf(stderr, "walk_demo: %s seed %u %s ticks %d kills %d health %d lost %d\n", argv[1], seed,
          finished ? "finished" : "failed", tick, kills, end_health, lost);
  free_game_resources(*gs);
  delete_sound_source(gs->the_player.sound_source);
  close_game_window(*gs);
  delete gs;
  delete session;
  platform_quit();
  fflush(stdout);
  return !ok ? 1 : finished ? 0 : 3;
}
