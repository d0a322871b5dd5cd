// tarvo_soak: the game's own start-up, level load, tick and unload, run for a
// long time on the generated data in the current directory, with the
// resident memory reported as it goes. scripts/soak.sh runs it under
// AddressSanitizer and LeakSanitizer.
//
//   tarvo_soak [TICKS] [CYCLES]   (default 20000 ticks, 100 load/unload cycles)
//
// Phase 1 plays the largest map in data/maps for TICKS ticks: every ten
// seconds of game time the player is put on the navigation node nearest to
// the next living enemy that can see it from there, and keeps turning
// toward that enemy with the fire button down, so they fight; when the
// player has been dead for six seconds (or finishes the level) the level is
// unloaded and loaded again, as the game does. Phase 2 loads and unloads
// every map in data/maps in turn, CYCLES times, with a few ticks of each.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/free_game_resources.h"
#include "app/game_state.h"
#include "app/game_tick.h"
#include "app/level_load.h"
#include "app/level_unload.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "audio/audio_device.h"
#include "audio/fixed_sounds.h"
#include "audio/load_sound.h"
#include "audio/music.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "base/entity_codes.h"
#include "base/flags.h"
#include "config/config_file.h"
#include "game/entity_sources.h"
#include "game/level_table.h"
#include "platform/events.h"
#include "platform/window.h"
#include "player/bind_keys.h"
#include "world/ai_node.h"
#include "world/bsp_query.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// The log of the game itself goes here; the soak's own lines go to stderr.
const char* const game_log = "soak_game.log";

struct memory {
  long rss_kb;   // resident now
  long peak_kb;  // the most resident so far
};

memory memory_now() {
  memory m{0, 0};
  FILE* status = fopen("/proc/self/status", "r");
  if (!status) return m;
  char line[256];
  while (fgets(line, sizeof line, status)) {
    if (strncmp(line, "VmRSS:", 6) == 0) m.rss_kb = atol(line + 6);
    if (strncmp(line, "VmHWM:", 6) == 0) m.peak_kb = atol(line + 6);
  }
  fclose(status);
  return m;
}

void report(const char* when) {
  memory m = memory_now();
  fprintf(stderr, "soak: %-34s rss %7ld KB  peak %7ld KB\n", when, m.rss_kb, m.peak_kb);
}

// Every map file in data/maps, largest first.
std::vector<std::string> level_files() {
  std::vector<std::pair<long, std::string>> found;
  if (DIR* dir = opendir("data/maps")) {
    while (dirent* e = readdir(dir)) {
      std::string name = e->d_name;
      if (name.size() < 7 || name.compare(name.size() - 6, 6, ".t3bsp") != 0) continue;
      std::string path = "data/maps/" + name;
      struct stat info;
      if (stat(path.c_str(), &info) == 0) found.push_back({static_cast<long>(info.st_size), path});
    }
    closedir(dir);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  std::vector<std::string> paths;
  for (const auto& f : found) paths.push_back(f.second);
  return paths;
}

// The campaign's music for a map, or the first level's for a map the
// campaign does not list.
const char* music_for(const std::string& map_path) {
  for (const level_entry& level : level_table)
    if (map_path == level.map_path) return level.music_path;
  return level_table[0].music_path;
}

void start_up(game_state& gs) {
  gs.textures = texture_table{};
  load_config(gs.config, gs.video);
  open_game_window(gs);
  gs.entity_list = entity_list_new_head();
  gs.bsp_root = nullptr;
  gs.keys = new key_state{};
  gs.sounds = init_audio();
  load_fixed_sounds(gs.sounds);
  load_texture_catalogue(gs.textures);
  set_gl_blend_state();
  player_init(gs.the_player, gs.config);
  bind_keys(gs.config, gs.video, gs.the_player);
}

bool enter_level(game_state& gs, const std::string& path) {
  gs.menu.active = 0;
  if (!load_level(path.c_str(), gs.entity_list, gs.textures, gs.bsp_root, gs.ai_node_list, gs.the_player,
                  gs.config))
    return false;
  bind_keys(gs.config, gs.video, gs.the_player);
  for (const entity* e = gs.entity_list; e; e = e->next)
    if (e->type == 1) {
      for (int i = 0; i < 3; ++i) gs.the_player.pos[i] = e->pos[i];
      break;
    }
  gs.music_buffer = load_sound(music_for(path));
  start_level_music(gs.sounds, gs.music_buffer);
  return true;
}

void leave_level(game_state& gs) {
  leave_level_music(gs.sounds, gs.music_buffer);
  unload_level(gs.the_player, gs.bsp_root, gs.textures, gs.entity_list, gs.ai_node_list, gs.menu);
}

bool living_enemy(const entity& e) {
  return e.type >= ent_worker && e.type <= ent_boss2 && e.health > 0 && e.state != s_dead;
}

// The player's fight: which enemy it is after, and the tally.
struct fight {
  long target_id = -1;
  long picked = 0;
  long kills = 0;
  int32_t last_kills = 0;
};

const entity* find_entity(const game_state& gs, long id) {
  for (const entity* e = gs.entity_list; e; e = e->next)
    if (e->id == id && living_enemy(*e)) return e;
  return nullptr;
}

// Puts the player on the navigation node closest to the next living enemy
// (after the last one picked) from which the enemy's middle can be seen, at
// least three units away.
void seek_enemy(game_state& gs, fight& f) {
  std::vector<const entity*> enemies;
  for (const entity* e = gs.entity_list; e; e = e->next)
    if (living_enemy(*e)) enemies.push_back(e);
  if (enemies.empty() || !gs.ai_node_list) return;
  for (size_t tries = 0; tries < enemies.size(); ++tries) {
    const entity& e = *enemies[static_cast<size_t>(f.picked++) % enemies.size()];
    const double middle[3] = {e.pos[0], e.pos[1] + 1.5, e.pos[2]};
    const ai_node* best = nullptr;
    double best_d = 1e30;
    for (const ai_node* n = gs.ai_node_list; n; n = n->next) {
      double dx = n->x - e.pos[0], dz = n->z - e.pos[2];
      double d = std::sqrt(dx * dx + dz * dz);
      const double eye[3] = {n->x, n->y + 2.25, n->z};
      if (d < 3.0 || d >= best_d || bsp_segment_clear(eye, middle, gs.bsp_root) != 1) continue;
      best = n;
      best_d = d;
    }
    if (!best) continue;
    player& p = gs.the_player;
    p.pos[0] = best->x;
    p.pos[1] = best->y;
    p.pos[2] = best->z;
    p.vel[0] = p.vel[1] = p.vel[2] = 0.0;
    f.target_id = e.id;
    return;
  }
}

// The mouse counts that turn the player toward the enemy it is after: a
// shot at yaw Y flies along (sin, cos) of Y - 180 degrees, and positive x
// motion turns the yaw down.
void aim_at(game_state& gs, const entity& e) {
  player& p = gs.the_player;
  double want = std::atan2(e.pos[0] - p.pos[0], e.pos[2] - p.pos[2]) * 180.0 / M_PI + 180.0;
  double turn = std::max(-90.0, std::min(90.0, std::remainder(p.yaw - want, 360.0)));
  double level = p.pitch > 180.0 ? p.pitch - 360.0 : p.pitch;
  gs.mouse.x_motion = static_cast<int32_t>(std::lround(turn / std::max(p.mouse_speed_x, 1e-3)));
  gs.mouse.y_motion = static_cast<int32_t>(std::lround(level / std::max(p.mouse_speed_y, 1e-3)));
}

// One pass of the loop with a level running: the scripted mouse, the tick,
// the swap. Returns whether the level has ended (dead for six seconds, or
// completed).
bool tick(game_state& gs, long n, fight* f = nullptr) {
  platform_event event;
  while (platform_poll_event(&event)) {
  }
  gs.mouse.left = 1;                           // fire, always
  gs.mouse.x_motion = n % 240 < 120 ? 4 : -4;  // sweep left and right
  if (f) {
    if (n % 600 == 0 || !find_entity(gs, f->target_id)) seek_enemy(gs, *f);
    if (const entity* e = find_entity(gs, f->target_id)) aim_at(gs, *e);
  }
  game_tick(gs);
  if (f) {
    if (gs.the_player.kills > f->last_kills) f->kills += gs.the_player.kills - f->last_kills;
    f->last_kills = gs.the_player.kills;
  }
  gs.mouse.x_motion = 0;
  gs.mouse.y_motion = 0;
  platform_swap(gs.window);
  return (gs.the_player.health < 1 && gs.the_player.death_timer > 6.0) || level_done_flag;
}

// The game's own shutdown. With the sanitizers, the leak check runs once
// everything of the game is freed but before the window goes: closing it
// unloads the GL driver, whose allocations could then no longer be told
// apart from the game's (while it is loaded they are reachable from its own
// data).
void shut_down(game_state& gs) {
  free_game_resources(gs);
  delete_sound_source(gs.the_player.sound_source);
  close_audio(gs.sounds, gs.music_buffer);
#ifdef __SANITIZE_ADDRESS__
  fprintf(stderr, "soak: leak check\n");
  __lsan_do_leak_check();
#endif
  close_game_window(gs);
}

}  // namespace

int main(int argc, char** argv) {
  long ticks = argc > 1 ? atol(argv[1]) : 20000;
  long cycles = argc > 2 ? atol(argv[2]) : 100;
  if (!freopen(game_log, "w", stdout)) return 2;
  std::vector<std::string> levels = level_files();
  if (levels.empty()) {
    fprintf(stderr, "soak: no maps in data/maps\n");
    return 2;
  }
  if (!platform_init()) return 2;
  reset_program_flags();
  game_state* gs = new game_state{};
  start_up(*gs);
  report("after start-up");

  // Phase 1: one level, played for a long time.
  const std::string& largest = levels[0];
  fprintf(stderr, "soak: %ld ticks on %s (of %zu maps)\n", ticks, largest.c_str(), levels.size());
  if (!enter_level(*gs, largest)) return 3;
  report("after the level's load");
  long restarts = 0, deaths = 0;
  fight f;
  // The GL driver's frame buffers and, under AddressSanitizer, its
  // quarantine of freed memory (256 MB) fill during the first few thousand
  // ticks: growth is measured from tick 5000, or a quarter of a shorter run.
  const long warm_up = std::min(5000L, ticks / 4);
  memory after_warm_up{0, 0};
  for (long n = 0; n < ticks; ++n) {
    if (n == 10) report("after 10 ticks");
    if (n > 1000 && n % 5000 == 0) {
      char when[40];
      snprintf(when, sizeof when, "after %ld ticks", n);
      report(when);
    }
    if (n == 1000) report("after 1000 ticks");
    if (n == warm_up) after_warm_up = memory_now();
    if (!tick(*gs, n, &f)) continue;
    deaths += gs->the_player.health < 1 ? 1 : 0;
    leave_level(*gs);
    if (!enter_level(*gs, largest)) return 3;
    f = fight{-1, f.picked, f.kills, gs->the_player.kills};
    ++restarts;
  }
  fprintf(stderr, "soak: phase 1 done: %ld enemies killed, %ld restarts (%ld after the player's death)\n",
          f.kills, restarts, deaths);
  memory end_of_play = memory_now();
  report("after phase 1");
  leave_level(*gs);

  // Phase 2: every level loaded and left in turn.
  for (long c = 0; c < cycles; ++c) {
    const std::string& path = levels[static_cast<size_t>(c) % levels.size()];
    if (!enter_level(*gs, path)) return 4;
    for (int n = 0; n < 10; ++n) tick(*gs, n);
    leave_level(*gs);
    if (c == 9) report("after 10 load/unload cycles");
  }
  report("after phase 2");
  memory end_of_cycles = memory_now();
  if (after_warm_up.rss_kb > 0)
    fprintf(stderr, "soak: resident memory from tick %ld to the end of phase 1: %+ld KB\n", warm_up,
            end_of_play.rss_kb - after_warm_up.rss_kb);
  fprintf(stderr, "soak: resident memory over the %ld load/unload cycles: %+ld KB\n", cycles,
          end_of_cycles.rss_kb - end_of_play.rss_kb);

  shut_down(*gs);
  delete gs;
  platform_quit();
  fflush(stdout);
  return 0;
}
