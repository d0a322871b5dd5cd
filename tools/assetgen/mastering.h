// Mastering the generated sounds by their loudness as a listener hears it (EBU R 128, measured by
// libebur128) rather than by their peaks, so music and effects sit where the game's mix needs them.
#pragma once

#include "tools/assetgen/opus_writer.h"

// Integrated loudness of the whole buffer in LUFS (very low for silence).
double loudness_integrated(const sample_buffer& buf);

// Loudness of the loudest 400 ms of the buffer in LUFS.
double loudness_momentary_max(const sample_buffer& buf);

// Scales the buffer so that its loudness (integrated, or with `momentary` its loudest 400 ms) is
// `lufs`, and softly limits peaks to `ceiling`. Returns the gain it applied.
float master_loudness(sample_buffer& buf, double lufs, bool momentary, float ceiling);

// Drives the buffer into a soft clipper: `drive` times louder, then tanh, then peaks back at
// `peak`. Dense, loud sounds (gunshots) keep their attack and gain body.
void saturate(sample_buffer& buf, float drive, float peak);
