// A game set up on the real catalogue for screenshots.
#include "tests/render/screens/screen_scene.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "app/game_state.h"
#include "app/texture_catalogue.h"
#include "app/window.h"
#include "base/entity.h"
#include "config/config_table.h"
#include "entities/entity_list_free.h"
#include "platform/directory.h"
#include "platform/window.h"
#include "world/bsp_free.h"
#include "world/level_lists_free.h"

bool open_screen_game(game_state& gs) {
  static platform_window* window = nullptr;
  static bool tried = false;
  const char* data = getenv("TARVO_DATA_DIR");
  if (!data) return false;
  std::string textures = std::string(data) + "/textures";
  if (!platform_is_directory(textures.c_str())) return false;
  if (!tried) {
    tried = true;
    if (!platform_init()) return false;
    window = platform_create_window("tarvo screens", shot_width, shot_height, false, true);
    if (window && !platform_create_gl_context(window)) window = nullptr;
  }
  if (!window) return false;
  // The catalogue's paths start with data/: work from the folder above it.
  std::string parent(data);
  while (parent.size() > 1 && parent.back() == '/') parent.pop_back();
  size_t slash = parent.rfind('/');
  parent = slash == std::string::npos ? std::string(".")
           : slash == 0               ? std::string("/")
                                      : parent.substr(0, slash);
  if (!platform_set_current_directory(parent.c_str())) return false;
  gs.window = window;
  load_texture_catalogue(gs.textures);
  set_gl_blend_state();
  glViewport(0, 0, shot_width, shot_height);
  return true;
}

void set_screen_video(game_state& gs) {
  set_config_defaults(gs.config);
  gs.video.width = shot_width;
  gs.video.height = shot_height;
  gs.video.fov = 70;
  gs.video.render_distance = 300;
  gs.video.fps_value = 60;
}

void unload_screen_level(game_state& gs) {
  entity_list_free(gs.entity_list);
  gs.entity_list = entity_list_new_head();
  bsp_free(gs.bsp_root);
  gs.bsp_root = nullptr;
  ai_nodes_free(gs.ai_node_list);
  gs.ai_node_list = nullptr;
  world_textures_free(gs.textures.world_textures);
  gs.textures.world_textures = nullptr;
}

game_state* new_screen_game() {
  game_state* gs = new game_state{};
  if (!open_screen_game(*gs)) {
    delete gs;
    return nullptr;
  }
  set_screen_video(*gs);
  gs->entity_list = entity_list_new_head();
  return gs;
}

void delete_screen_game(game_state* gs) {
  if (!gs) return;
  unload_screen_level(*gs);
  entity_list_free(gs->entity_list);
  delete gs;
}

screenshot grab_screenshot() {
  screenshot shot;
  shot.width = shot_width;
  shot.height = shot_height;
  shot.rgb.resize(static_cast<size_t>(shot_width) * shot_height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, shot_width, shot_height, GL_RGB, GL_UNSIGNED_BYTE, shot.rgb.data());
  return shot;
}

namespace {

struct picture_target {
  GLuint frame = 0, colour = 0, depth = 0;
  int width = 0, height = 0;
};
picture_target picture;

screenshot read_pixels(int width, int height) {
  screenshot shot;
  shot.width = width;
  shot.height = height;
  shot.rgb.resize(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, shot.rgb.data());
  return shot;
}

}  // namespace

bool begin_picture(int width, int height) {
  end_picture();
  glGenFramebuffers(1, &picture.frame);
  glBindFramebuffer(GL_FRAMEBUFFER, picture.frame);
  glGenRenderbuffers(1, &picture.colour);
  glBindRenderbuffer(GL_RENDERBUFFER, picture.colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, picture.colour);
  glGenRenderbuffers(1, &picture.depth);
  glBindRenderbuffer(GL_RENDERBUFFER, picture.depth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, picture.depth);
  picture.width = width;
  picture.height = height;
  glViewport(0, 0, width, height);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) return true;
  end_picture();
  return false;
}

screenshot grab_picture() { return read_pixels(picture.width, picture.height); }

void end_picture() {
  if (picture.frame == 0) return;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteRenderbuffers(1, &picture.colour);
  glDeleteRenderbuffers(1, &picture.depth);
  glDeleteFramebuffers(1, &picture.frame);
  picture = picture_target{};
  glViewport(0, 0, shot_width, shot_height);
}

bool write_ppm(const screenshot& shot, const char* path) {
  FILE* f = fopen(path, "wb");
  if (!f) return false;
  fprintf(f, "P6\n%d %d\n255\n", shot.width, shot.height);
  size_t row_bytes = static_cast<size_t>(shot.width) * 3;
  for (int row = shot.height - 1; row >= 0; --row) fwrite(shot.rgb.data() + row * row_bytes, 1, row_bytes, f);
  return fclose(f) == 0;
}

int distinct_colours(const screenshot& shot) {
  std::set<int> colours;
  for (size_t i = 0; i + 2 < shot.rgb.size(); i += 3)
    colours.insert((shot.rgb[i] >> 3) << 10 | (shot.rgb[i + 1] >> 3) << 5 | (shot.rgb[i + 2] >> 3));
  return static_cast<int>(colours.size());
}

double changed_share(const screenshot& a, const screenshot& b, double x0, double y0, double x1, double y1) {
  int px0 = static_cast<int>((x0 + 1) / 2 * a.width), px1 = static_cast<int>((x1 + 1) / 2 * a.width);
  int py0 = static_cast<int>((y0 + 1) / 2 * a.height), py1 = static_cast<int>((y1 + 1) / 2 * a.height);
  int changed = 0, total = 0;
  for (int y = py0; y < py1; ++y) {
    for (int x = px0; x < px1; ++x) {
      size_t i = (static_cast<size_t>(y) * a.width + x) * 3;
      int d = abs(a.rgb[i] - b.rgb[i]) + abs(a.rgb[i + 1] - b.rgb[i + 1]) + abs(a.rgb[i + 2] - b.rgb[i + 2]);
      changed += d > 24;
      ++total;
    }
  }
  return total ? static_cast<double>(changed) / total : 0.0;
}
