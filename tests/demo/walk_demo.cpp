// tarvo_walk_demo: records a demo of a player walking a level.
//
//   tarvo_walk_demo MAP DEMO [MAX_TICKS]     (default 7200 ticks, two minutes)
//
// The player walks from its start along the level's navigation graph to the
// exit portal (to the node farthest from the start when the level has none),
// stopping to turn on each enemy it sees and fire until it falls, and
// reloading when the gun is empty, until the level ends or MAX_TICKS have
// run. Everything goes
// through the game's own pass and the demo recorder, with the shipped
// config.cfg of the data folder the game finds (run it from a build). The
// benchmark demos in bench/demos are made with it; see docs/demo-format.md.
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
#include "base/flags.h"
#include "app/free_game_resources.h"
#include "app/game_state.h"
#include "app/run_game.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "audio/sound_source.h"
#include "player/bind_keys.h"
#include "config/config_file.h"
#include "base/entity.h"
#include "platform/keyboard.h"
#include "platform/window.h"
#include "tests/levels/level_walk.h"
#include "world/ai_node.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"

namespace {

// The walker's pace, as the level walk test keeps it.
constexpr double cruise_speed = 7.0;
constexpr double node_reach = 0.9;
// How far the walker sees an enemy to shoot at.
constexpr double firing_range = 25.0;

std::set<int> held;
bool walker_key_down(int vk) { return held.count(vk) != 0; }

double heading_delta(const player& p, double dx, double dz) {
  double want = -std::atan2(dz, dx) * 180.0 / M_PI - 90.0;
  double delta = std::fmod(want - p.yaw, 360.0);
  if (delta > 180.0) delta -= 360.0;
  if (delta <= -180.0) delta += 360.0;
  return delta;
}

// Mouse counts that turn the view toward (dx, dz), at most 8 degrees a tick.
int32_t turn_toward(const player& p, double dx, double dz) {
  double delta = std::fmax(-8.0, std::fmin(8.0, heading_delta(p, dx, dz)));
  return static_cast<int32_t>(-std::lround(delta / (p.mouse_speed_x != 0 ? p.mouse_speed_x : 1.0)));
}

// The nearest living enemy whose chest the player's eye sees within
// firing range, or null.
const entity* enemy_in_sight(const game_state& gs) {
  const player& p = gs.the_player;
  const double eye[3] = {p.pos[0], p.pos[1] + 2.25, p.pos[2]};
  const entity* nearest = nullptr;
  double nearest_d = firing_range;
  for (const entity* e = gs.entity_list; e; e = e->next) {
    if (e->type < 200 || e->type > 299 || e->health <= 0) continue;
    const double chest[3] = {e->pos[0], e->pos[1] + 1.5, e->pos[2]};
    double d = std::hypot(chest[0] - eye[0], chest[2] - eye[2]);
    if (d < nearest_d && bsp_segment_clear(eye, chest, gs.bsp_root) == 1) {
      nearest = e;
      nearest_d = d;
    }
  }
  return nearest;
}

// Mouse counts that tilt the view toward `want` degrees of pitch (above the
// horizon positive), at most 8 degrees a tick.
int32_t tilt_toward(const player& p, double want) {
  double delta = std::fmod(want - p.pitch, 360.0);
  if (delta > 180.0) delta -= 360.0;
  if (delta <= -180.0) delta += 360.0;
  delta = std::fmax(-8.0, std::fmin(8.0, delta));
  return static_cast<int32_t>(-std::lround(delta / (p.mouse_speed_y != 0 ? p.mouse_speed_y : 1.0)));
}

// The points to walk: the route from the start to the exit, or to the
// node farthest along the links from the start.
std::vector<walk_point> plan(const game_state& gs) {
  const player& p = gs.the_player;
  int from = nav_node_near(gs.ai_node_list, gs.bsp_root, {p.pos[0], p.pos[1], p.pos[2]});
  std::vector<walk_point> points;
  if (from < 0) return points;
  std::vector<int> route;
  for (const entity* e = gs.entity_list; e; e = e->next)
    if (e->type == 2) {
      int to = nav_node_near(gs.ai_node_list, gs.bsp_root, {e->pos[0], e->pos[1], e->pos[2]});
      route = nav_route(gs.ai_node_list, from, to);
      if (!route.empty()) points.push_back({e->pos[0], e->pos[1], e->pos[2]});
      break;
    }
  if (route.empty())
    for (const ai_node* a = gs.ai_node_list; a; a = a->next) {
      std::vector<int> r = nav_route(gs.ai_node_list, from, a->id);
      if (r.size() > route.size()) route = r;
    }
  std::vector<walk_point> walk;
  for (int id : route) walk.push_back(nav_node_pos(gs.ai_node_list, id));
  walk.insert(walk.end(), points.begin(), points.end());
  return walk;
}

// One tick of the walker: the keys it holds and the mouse it moves. An
// enemy in sight stops the walk: the walker turns to it and fires.
void steer(const game_state& gs, const std::vector<walk_point>& points, size_t& k, int& stalled, double& best,
           mouse_state& mouse) {
  const player& p = gs.the_player;
  while (k + 1 < points.size() && std::hypot(points[k].x - p.pos[0], points[k].z - p.pos[2]) < node_reach &&
         std::fabs(points[k].y - p.pos[1]) < 1.5) {
    ++k;
    best = 1e30;
    stalled = 0;
  }
  held.clear();
  const gun& g = p.guns[p.current_gun >= 0 && p.current_gun < gun_count ? p.current_gun : 0];
  if (g.loaded == 0 && g.reserve > 0 && !p.reloading && stalled % 20 < 3) held.insert('R');
  if (const entity* e = enemy_in_sight(gs)) {
    double dx = e->pos[0] - p.pos[0], dz = e->pos[2] - p.pos[2];
    double dy = e->pos[1] + 1.5 - (p.pos[1] + 2.25);
    mouse.x_motion = turn_toward(p, dx, dz);
    mouse.y_motion = tilt_toward(p, std::atan2(dy, std::hypot(dx, dz)) * 180.0 / M_PI);
    if (std::fabs(heading_delta(p, dx, dz)) < 10.0) held.insert(vk_control);
    return;
  }
  mouse.y_motion = tilt_toward(p, 0.0);
  if (points.empty()) return;
  const walk_point& t = points[k];
  double dx = t.x - p.pos[0], dz = t.z - p.pos[2], d = std::hypot(dx, dz);
  double speed = std::fmin(cruise_speed, d * 3.0);
  double wx = d > 1e-9 ? dx / d * speed : 0, wz = d > 1e-9 ? dz / d * speed : 0;
  double ex = wx - p.vel[0], ez = wz - p.vel[2];
  bool push = std::hypot(ex, ez) > 0.5;
  mouse.x_motion = push ? turn_toward(p, ex, ez) : turn_toward(p, dx, dz);
  if (push) held.insert('W');
  if (stalled % 60 >= 45) held.insert(vk_space);
  double now = std::hypot(t.x - p.pos[0], t.z - p.pos[2]) + std::fabs(t.y - p.pos[1]);
  if (now < best - 0.05) {
    best = now;
    stalled = 0;
  } else {
    ++stalled;
  }
}

bool start(game_state& gs, demo_session& session, const game_options& options) {
  gs.options = options;
  load_config(gs.config, gs.video);
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
    fprintf(stderr, "usage: tarvo_walk_demo MAP DEMO [MAX_TICKS]\n");
    return 2;
  }
  int max_ticks = argc > 3 ? atoi(argv[3]) : 7200;
  if (max_ticks < 1) max_ticks = 7200;
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
  bool ok = start(*gs, *session, line.options);
  if (ok) {
    std::vector<walk_point> points = plan(*gs);
    fprintf(stderr, "walk_demo: %zu points to walk\n", points.size());
    size_t k = 0;
    int stalled = 0;
    double best = 1e30;
    for (int tick = 0; tick < max_ticks && !gs->menu.active && quit_flag == 0; ++tick) {
      mouse_state mouse{};
      mouse.left = gs->mouse.left;
      mouse.left_previous = gs->mouse.left;
      steer(*gs, points, k, stalled, best, mouse);
      gs->mouse = mouse;
      game_pass(*gs);
      gs->mouse.x_motion = 0;
      gs->mouse.y_motion = 0;
      platform_swap(gs->window);
    }
    fprintf(stderr, "walk_demo: reached point %zu of %zu; health %d, kills %d\n", k, points.size(),
            gs->the_player.health, gs->the_player.kills);
  }
  demo_session_close(*session, *gs);
  free_game_resources(*gs);
  delete_sound_source(gs->the_player.sound_source);
  close_game_window(*gs);
  delete gs;
  delete session;
  platform_quit();
  fflush(stdout);
  return ok ? 0 : 1;
}
