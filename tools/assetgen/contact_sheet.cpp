// Contact sheet: decodes the written images back from disk and lays them out with labels.
#include "tools/assetgen/contact_sheet.h"

#include <webp/decode.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "image/png_write.h"
#include "tools/assetgen/file_output.h"
#include "tools/assetgen/pixel_font.h"

namespace {

// Orders paths so that "g1r/2" comes before "g1r/10".
bool natural_less(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (isdigit((unsigned char)a[i]) && isdigit((unsigned char)b[j])) {
      size_t i2 = i, j2 = j;
      while (i2 < a.size() && isdigit((unsigned char)a[i2])) ++i2;
      while (j2 < b.size() && isdigit((unsigned char)b[j2])) ++j2;
      long va = atol(a.substr(i, i2 - i).c_str()), vb = atol(b.substr(j, j2 - j).c_str());
      if (va != vb) return va < vb;
      i = i2;
      j = j2;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

bool read_webp(const std::string& path, image& out) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  std::vector<uint8_t> bytes;
  uint8_t buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
  fclose(f);
  int w = 0, h = 0;
  uint8_t* px = WebPDecodeRGBA(bytes.data(), bytes.size(), &w, &h);
  if (!px) return false;
  out.width = w;
  out.height = h;
  out.pixels.assign(px, px + (size_t)w * h * 4);
  WebPFree(px);
  return true;
}

// Splits a label into lines of at most max_chars, preferably after a '/'.
std::vector<std::string> wrap_label(const std::string& text, size_t max_chars) {
  std::vector<std::string> lines;
  std::string rest = text;
  while (rest.size() > max_chars) {
    size_t cut = rest.rfind('/', max_chars - 1);
    cut = (cut == std::string::npos || cut == 0) ? max_chars : cut + 1;
    lines.push_back(rest.substr(0, cut));
    rest = rest.substr(cut);
  }
  lines.push_back(rest);
  return lines;
}

}  // namespace

bool write_contact_sheet(const char* data_dir, const char* out_png, const char* filter, int thumb) {
  if (thumb <= 0) thumb = 128;
  std::string root = data_dir;
  std::vector<std::string> paths;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(root + "/textures", ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file() || it->path().extension() != ".webp") continue;
    std::string rel = std::filesystem::relative(it->path(), root).generic_string();
    if (rel.find(filter) != std::string::npos) paths.push_back(rel);
  }
  std::sort(paths.begin(), paths.end(), natural_less);
  if (paths.empty()) {
    printf("assetgen: no images below %s/textures match \"%s\"\n", data_dir, filter);
    return false;
  }
  const int cell_w = std::max(thumb, 132) + 8, label_h = 30, cell_h = thumb + label_h + 8;
  const int columns = std::max(1, std::min((int)paths.size(), 2048 / cell_w));
  const int rows = ((int)paths.size() + columns - 1) / columns;
  image sheet = image_make(columns * cell_w, rows * cell_h, rgb(0x202428));
  for (size_t k = 0; k < paths.size(); ++k) {
    int cx = (int)(k % columns) * cell_w + 4, cy = (int)(k / columns) * cell_h + 4;
    image img;
    bool ok = read_webp(root + "/" + paths[k], img);
    int box = cell_w - 8;
    for (int y = 0; y < thumb; ++y)
      for (int x = 0; x < box; ++x)
        pixel_set(sheet, cx + x, cy + y, ((x / 8 + y / 8) % 2) ? rgb(0x6a6a70) : rgb(0x4a4a50));
    if (ok) {
      double s = std::min((double)box / img.width, (double)thumb / img.height);
      int w = std::max(1, (int)(img.width * s)), h = std::max(1, (int)(img.height * s));
      blit_scaled(sheet, img, cx + (box - w) / 2, cy + (thumb - h) / 2, w, h);
    }
    std::string label = paths[k].substr(paths[k].rfind("textures/") == 0 ? 9 : 0);
    char size_text[48];
    snprintf(size_text, sizeof size_text, ok ? "%dx%d" : "UNREADABLE", img.width, img.height);
    int ly = cy + thumb + 2;
    for (const std::string& line : wrap_label(label, (size_t)(box / 6))) {
      draw_label(sheet, cx, ly, line.c_str(), rgb(0xffffff));
      ly += 9;
    }
    draw_label(sheet, cx, ly, size_text, ok ? rgb(0x90c0ff) : rgb(0xff4040));
  }
  char reason[160];
  if (!make_parent_dirs(out_png) ||
      !image_write_png(out_png, image_view{sheet.pixels.data(), sheet.width, sheet.height, 4, false}, reason,
                       sizeof reason)) {
    printf("assetgen: cannot write the contact sheet %s: %s\n", out_png, reason);
    return false;
  }
  printf("assetgen: contact sheet of %d images written to %s\n", (int)paths.size(), out_png);
  return true;
}
