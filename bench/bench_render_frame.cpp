// Frame time of render_frame on the largest compiled level at 1024 x 768,
// with the world, the sprites and the HUD also timed on their own.
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_state.h"
#include "app/game_tick.h"
#include "app/level_load.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "base/entity.h"
#include "base/entity_codes.h"
#include "platform/directory.h"
#include "platform/window.h"
#include "render/draw_entities.h"
#include "render/frame_rules.h"
#include "render/hud.h"
#include "render/render_frame.h"
#include "render/sky.h"
#include "world/ai_node.h"
#include "world/bsp_node.h"
#include "world/bsp_query.h"
#include "world_draw/world_draw.h"

namespace {

constexpr int bench_width = 1024;
constexpr int bench_height = 768;

// The folder holding data/: TARVO_DATA_DIR's parent, the current folder, or
// the build folder above the executable's.
bool enter_data_parent() {
  if (const char* data = getenv("TARVO_DATA_DIR")) {
    std::string parent(data);
    size_t slash = parent.find_last_of('/');
    if (slash != std::string::npos && platform_set_current_directory(parent.substr(0, slash).c_str()) &&
        platform_is_directory("data"))
      return true;
  }
  if (platform_is_directory("data")) return true;
  char dir[4096];
  if (!platform_executable_directory(dir, sizeof dir)) return false;
  std::string up = std::string(dir) + "/..";
  return platform_set_current_directory(up.c_str()) && platform_is_directory("data");
}

// The largest map file under data/maps, or "".
std::string largest_map() {
  std::string best;
  off_t best_size = -1;
  DIR* dir = opendir("data/maps");
  if (!dir) return best;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (name.size() < 7 || name.compare(name.size() - 6, 6, ".t3bsp") != 0) continue;
    std::string path = "data/maps/" + name;
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && st.st_size > best_size) {
      best_size = st.st_size;
      best = path;
    }
  }
  closedir(dir);
  return best;
}

int count_polygons(const bsp_node* n) {
  if (!n || n->is_leaf) return 0;
  return (n->poly ? 1 : 0) + count_polygons(n->front) + count_polygons(n->back);
}

int count_entities(const entity* e) {
  int n = 0;
  for (; e; e = e->next) ++n;
  return n - 1;
}

// The viewpoint: the player start when an enemy is in sight from it,
// otherwise the first navigation node that sees an enemy 5 to 20 units
// away; turned towards that enemy, so the sprites are part of the frame.
bool sees(const bsp_node* root, const double from[3], const entity& e, double min_d, double max_d) {
  double eye[3] = {from[0], from[1] + 2.25, from[2]};
  double target[3] = {e.pos[0], e.pos[1] + 1.5, e.pos[2]};
  double d = std::hypot(target[0] - eye[0], target[2] - eye[2]);
  return d >= min_d && d <= max_d && bsp_segment_clear(eye, target, root);
}

void look_at(player& p, const entity& e) {
  double yaw = std::atan2(-(e.pos[0] - p.pos[0]), -(e.pos[2] - p.pos[2])) * 180.0 / 3.141592653589793;
  p.yaw = yaw < 0 ? yaw + 360.0 : yaw;
}

void choose_viewpoint(game_state& gs) {
  player& p = gs.the_player;
  for (const entity* e = gs.entity_list; e; e = e->next) {
    if (is_enemy(e->type) && sees(gs.bsp_root, p.pos, *e, 2.0, 1e9)) {
      look_at(p, *e);
      return;
    }
  }
  for (const entity* e = gs.entity_list; e; e = e->next) {
    if (!is_enemy(e->type)) continue;
    for (const ai_node* n = gs.ai_node_list; n; n = n->next) {
      double at[3] = {n->x, n->y, n->z};
      if (!sees(gs.bsp_root, at, *e, 5.0, 20.0)) continue;
      for (int i = 0; i < 3; ++i) p.pos[i] = at[i];
      look_at(p, *e);
      return;
    }
  }
}

struct bench_level {
  game_state* gs = nullptr;
  std::string map;
  std::string error;
};

// The window, the catalogue and the level, made once for all benchmarks;
// the player on the level's start with a gun in hand and the fps read-out.
bench_level& level() {
  static bench_level made;
  static bool tried = false;
  if (tried) return made;
  tried = true;
  if (!enter_data_parent()) {
    made.error = "no data/ directory";
    return made;
  }
  made.map = largest_map();
  if (made.map.empty()) {
    made.error = "no compiled level in data/maps";
    return made;
  }
  if (!platform_init()) {
    made.error = "no video";
    return made;
  }
  platform_window* window = platform_create_window("tarvo bench", bench_width, bench_height, false, true);
  if (!window || !platform_create_gl_context(window)) {
    made.error = "no GL context";
    return made;
  }
  game_state* gs = new game_state{};
  gs->window = window;
  set_config_defaults(gs->config);
  gs->video.width = bench_width;
  gs->video.height = bench_height;
  gs->video.fov = 70;
  gs->video.render_distance = 300;
  gs->video.fps_value = 60;
  load_texture_catalogue(gs->textures);
  set_gl_blend_state();
  gs->renderer.legacy_renderer = legacy_renderer_chosen();
  glViewport(0, 0, bench_width, bench_height);
  gs->entity_list = entity_list_new_head();
  if (!load_level(made.map.c_str(), gs->entity_list, gs->textures, gs->bsp_root, gs->ai_node_list,
                  gs->the_player, gs->config)) {
    made.error = "the level did not load";
    return made;
  }
  for (const entity* e = gs->entity_list; e; e = e->next) {
    if (e->type != 1) continue;
    for (int i = 0; i < 3; ++i) gs->the_player.pos[i] = e->pos[i];
    break;
  }
  choose_viewpoint(*gs);
  gs->the_player.current_gun = 0;
  gs->the_player.debug_draw_flags = 16;
  gs->the_player.score = 12345;
  made.gs = gs;
  return made;
}

bool ready(benchmark::State& state, bench_level& l) {
  if (l.gs) return true;
  state.SkipWithError(l.error.c_str());
  return false;
}

void push_camera(const player& p, const double eye[3]) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glRotated(-p.pitch, 1.0, 0.0, 0.0);
  glRotated(-p.yaw, 0.0, 1.0, 0.0);
  glTranslated(-eye[0], -eye[1], -eye[2]);
}

void label(benchmark::State& state, const bench_level& l) {
  state.SetLabel(l.map);
  state.counters["polygons"] = count_polygons(l.gs->bsp_root);
  state.counters["entities"] = count_entities(l.gs->entity_list);
}

void BM_render_frame(benchmark::State& state) {
  bench_level& l = level();
  if (!ready(state, l)) return;
  for (auto _ : state) {
    render_frame(frame_scene_of(*l.gs));
    glFinish();
  }
  label(state, l);
}

// The sky and the world as render_frame draws them: with light maps
// (argument 0) or with vertex lighting (argument 1).
void BM_world(benchmark::State& state) {
  bench_level& l = level();
  if (!ready(state, l)) return;
  game_state& gs = *l.gs;
  bool vertex_light = state.range(0) != 0;
  double eye[3];
  eye_position(gs.the_player, eye);
  for (auto _ : state) {
    set_game_projection(gs.video, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    draw_sky(gs.the_player.yaw, gs.the_player.pitch, gs.textures.slots[tex_sky], 150.0);
    push_camera(gs.the_player, eye);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    world_draw(gs.bsp_root, eye, vertex_light);
    glPopMatrix();
    glFinish();
  }
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glColor3d(1.0, 1.0, 1.0);
  label(state, l);
}

// The entity sprites, depth-tested against the world of the last frame.
void BM_sprites(benchmark::State& state) {
  bench_level& l = level();
  if (!ready(state, l)) return;
  game_state& gs = *l.gs;
  double eye[3];
  eye_position(gs.the_player, eye);
  render_frame(frame_scene_of(gs));
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  for (auto _ : state) {
    set_game_projection(gs.video, 0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    push_camera(gs.the_player, eye);
    draw_entities(gs.entity_list, gs.the_player, gs.textures);
    glPopMatrix();
    glFinish();
  }
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  label(state, l);
}

// The 2-D pass: weapon, face, icons, numbers, score and the fps read-out.
void BM_hud(benchmark::State& state) {
  bench_level& l = level();
  if (!ready(state, l)) return;
  game_state& gs = *l.gs;
  for (auto _ : state) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    draw_hud(gs.video.fps_value, gs.textures, gs.the_console, gs.the_player);
    glFinish();
  }
  glDisable(GL_ALPHA_TEST);
  label(state, l);
}

}  // namespace

BENCHMARK(BM_render_frame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_world)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_sprites)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_hud)->Unit(benchmark::kMillisecond)->UseRealTime();
