// Every sound path of the data tree with the routine that renders it.
#include "tools/assetgen/sound_catalogue.h"

#include "tools/assetgen/music_tracks.h"
#include "tools/assetgen/sound_effects.h"

std::vector<sound_job> sound_catalogue() {
  std::vector<sound_job> jobs = {
      {"sound/human_pain.opus", render_sound_effect, sfx_human_pain, 64000, 0x7a0001},
      {"sound/armor_pain.opus", render_sound_effect, sfx_armor_pain, 64000, 0x7a0002},
      {"sound/gun1.opus", render_sound_effect, sfx_gun1, 64000, 0x7a0003},
      {"sound/gun2.opus", render_sound_effect, sfx_gun2, 64000, 0x7a0004},
      {"sound/gun_lazer.opus", render_sound_effect, sfx_gun_lazer, 64000, 0x7a0005},
  };
  for (int i = 0; i < music_track_count; ++i)
    jobs.push_back({music_track_path(i), render_music_track, i, 96000, 0x7a0100 + i});
  return jobs;
}

bool write_sound(const sound_job& job, const char* path) {
  return write_opus(job.render(job.arg), path, job.bitrate, job.serial);
}
