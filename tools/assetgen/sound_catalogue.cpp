#include "tools/assetgen/sound_catalogue.h"
std::vector<sound_job> sound_catalogue() { return {}; }
bool write_sound(const sound_job& job, const char* path) {
  return write_opus(job.render(job.arg), path, job.bitrate, job.serial);
}
