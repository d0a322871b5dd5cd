// Reading generated files back for the asset tests.
#include "tests/tools/assetgen/asset_files.h"

#include <webp/decode.h>

#include <cstdio>
#include <cstdlib>

std::string data_dir() {
  const char* d = getenv("TARVO_DATA_DIR");
  return d && *d ? d : "data";
}

bool read_bytes(const std::string& path, std::vector<unsigned char>& out) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  out.clear();
  unsigned char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  fclose(f);
  return true;
}

bool load_webp(const std::string& rel_path, image& img) {
  std::vector<unsigned char> bytes;
  if (!read_bytes(data_dir() + "/" + rel_path, bytes)) return false;
  int w = 0, h = 0;
  uint8_t* px = WebPDecodeRGBA(bytes.data(), bytes.size(), &w, &h);
  if (!px) return false;
  img.width = w;
  img.height = h;
  img.pixels.assign(px, px + (size_t)w * h * 4);
  WebPFree(px);
  return true;
}

std::vector<std::string> catalogue_paths() {
  std::vector<std::string> p = {"textures/blood.webp",  "textures/tarvo.webp",    "textures/font_1.webp",
                                "textures/font_2.webp", "textures/hudfaces.webp", "textures/hudicons.webp",
                                "textures/xhair.webp",  "textures/sky/sky.webp",  "textures/sky/sky2.webp"};
  struct range {
    const char* folder;
    int first, last;
  };
  const range guns[] = {{"g0f", 0, 9}, {"g1f", 1, 4},  {"g1r", 1, 11}, {"g2f", 1, 4}, {"g2r", 1, 14},
                        {"g3f", 1, 4}, {"g3r", 1, 17}, {"g4f", 0, 5},  {"g4r", 0, 27}};
  char buf[80];
  for (const range& r : guns)
    for (int n = r.first; n <= r.last; ++n) {
      snprintf(buf, sizeof buf, "textures/gun/%s/%d.webp", r.folder, n);
      p.push_back(buf);
    }
  p.push_back("textures/prop/prop1.webp");
  p.push_back("textures/prop/prop2.webp");
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14}) {
    snprintf(buf, sizeof buf, "textures/mob/mob%d.webp", n);
    p.push_back(buf);
  }
  p.push_back("textures/mob/boss1.webp");
  p.push_back("textures/mob/boss2.webp");
  for (int n = 1; n <= 7; ++n) {
    snprintf(buf, sizeof buf, "textures/mob/proj%d.webp", n);
    p.push_back(buf);
  }
  for (const char* item : {"mouse", "health", "gun1_i", "gun2_i", "gun3_i", "gun4_i", "portal"})
    p.push_back(std::string("textures/items/") + item + ".webp");
  p.push_back("textures/logo.webp");
  p.push_back("textures/title.webp");
  p.push_back("textures/title2.webp");
  return p;
}

int opaque_count(const image& img, int x0, int y0, int x1, int y1, int threshold) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += pixel_alpha(img, x, y) > threshold;
  return n;
}
