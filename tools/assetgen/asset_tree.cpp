// Runs every image, sound and config job of the data tree in a fixed order.
#include "tools/assetgen/asset_tree.h"

#include <cstdio>
#include <string>

#include "tools/assetgen/config_writer.h"
#include "tools/assetgen/file_output.h"
#include "tools/assetgen/image_catalogue.h"
#include "tools/assetgen/sound_catalogue.h"

bool generate_data_tree(const char* data_dir) {
  std::string root = data_dir;
  // One clear message when the folder itself cannot be made, rather than one per file.
  std::string probe = root + "/config.cfg";
  if (!make_parent_dirs(probe.c_str())) return false;
  bool ok = true;
  int images = 0, sounds = 0;
  for (const image_job& job : image_catalogue()) {
    image img = job.draw(job.arg);
    std::string path = root + "/" + job.path;
    if (write_webp(img, path.c_str(), job.mode))
      ++images;
    else
      ok = false;
  }
  for (const sound_job& job : sound_catalogue()) {
    std::string path = root + "/" + job.path;
    if (write_sound(job, path.c_str()))
      ++sounds;
    else
      ok = false;
  }
  std::string cfg = root + "/config.cfg";
  if (!write_shipped_config(cfg.c_str())) ok = false;
  printf("assetgen: wrote %d images, %d sounds and config.cfg to %s\n", images, sounds, data_dir);
  return ok;
}
