// The music sequencer: a chord progression played by pad, bass, arpeggio, drums and generated
// lead melodies in changing sections, rendered as a seamless stereo loop of a minute and a half
// or more.
#pragma once

#include <cstdint>

#include "tools/assetgen/opus_writer.h"
#include "tools/assetgen/synth.h"

// Drum patterns.
enum class drum_style { none, sparse, rock, driving, halftime, chip };

// Everything that makes one track its own: key, tempo, harmony, sounds and the melody's seed.
struct track_style {
  double bpm;
  int root;              // MIDI note of the key's tonic (around 48 to 57)
  int scale[7];          // semitones of the seven scale degrees above the root
  int chords[8];         // scale degree of each bar's chord, repeating
  int chord_count;       // 4 or 8
  wave lead, bass, pad;  // instrument waves
  drum_style drums;
  bool arpeggio;
  float lead_cutoff;   // brightness of the lead, Hz
  float echo;          // echo level 0 to 0.5
  uint64_t seed;       // melody and variation
  int bass_pattern;    // 0 whole notes, 1 eighths, 2 syncopated, 3 octave bounce
  double min_seconds;  // the loop lasts at least this long (and holds every kind of section once)
};

// Integrated loudness every track is mastered to. The game plays level music at gain 0.8 and a
// gunshot at a quarter of an enemy's gain, or an enemy's from across a room at a tenth or less:
// the music stays far below the effects' loudest moments so that they carry over it.
constexpr double music_loudness_lufs = -32.0;

// Number of bars a track plays before it loops: a multiple of 8 lasting at least its
// min_seconds; a track of 90 seconds or more is long enough for every kind of section to play once.
int track_bars(const track_style& style);

// Renders the whole looping track as stereo samples.
sample_buffer render_track(const track_style& style);
