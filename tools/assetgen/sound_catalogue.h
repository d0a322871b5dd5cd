// The list of every sound file the generator writes and how each is synthesized.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/opus_writer.h"

// One sound to generate: render(arg) makes the samples, which go to path at the given bit rate.
struct sound_job {
  std::string path;  // below the data folder, e.g. "sound/gun1.opus"
  sample_buffer (*render)(int arg);
  int arg;
  int bitrate;
  int serial;  // Ogg stream serial number, fixed per file
};

// Every sound of the data tree, in a fixed order.
std::vector<sound_job> sound_catalogue();

// Renders the job's samples and encodes them to path. Returns false on failure.
bool write_sound(const sound_job& job, const char* path);
