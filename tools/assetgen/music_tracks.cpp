// Track table: each piece has its own key, scale, tempo, progression, instruments and melody seed.
#include "tools/assetgen/music_tracks.h"

namespace {

#define MINOR \
  { 0, 2, 3, 5, 7, 8, 10 }
#define MAJOR \
  { 0, 2, 4, 5, 7, 9, 11 }
#define DORIAN \
  { 0, 2, 3, 5, 7, 9, 10 }
#define PHRYGIAN \
  { 0, 1, 3, 5, 7, 8, 10 }
#define HARMONIC \
  { 0, 2, 3, 5, 7, 8, 11 }

const char* const paths[music_track_count] = {
    "sound/menu.opus",   "sound/music1.opus", "sound/music3.opus", "sound/music5.opus",  "sound/music6.opus",
    "sound/music7.opus", "sound/music8.opus", "sound/music9.opus", "sound/music10.opus", "sound/mouse.opus",
};

const track_style styles[music_track_count] = {
    // menu: brooding D minor, slow pulse under an arpeggio; shorter than the levels' pieces, so it
    // is decoded before the title shows
    {92,
     50,
     MINOR,
     {0, 5, 2, 6, 0, 5, 3, 4},
     8,
     wave::triangle,
     wave::saw,
     wave::saw,
     drum_style::sparse,
     true,
     1400.0f,
     0.35f,
     101,
     0,
     40.0},
    // music1, the void: eerie B phrygian, no beat to hold on to
    {76,
     47,
     PHRYGIAN,
     {0, 1, 0, 6},
     4,
     wave::sine,
     wave::triangle,
     wave::saw,
     drum_style::none,
     true,
     1100.0f,
     0.45f,
     102,
     0,
     96.0},
    // music3, the facility: driving E minor
    {128,
     52,
     MINOR,
     {0, 0, 5, 6},
     4,
     wave::square,
     wave::saw,
     wave::saw,
     drum_style::rock,
     false,
     2200.0f,
     0.2f,
     103,
     1,
     96.0},
    // music5, outside and the temple: open A dorian
    {108,
     57,
     DORIAN,
     {0, 3, 0, 6, 0, 3, 4, 6},
     8,
     wave::triangle,
     wave::square,
     wave::triangle,
     drum_style::halftime,
     true,
     1800.0f,
     0.3f,
     104,
     2,
     96.0},
    // music6, the towers: urgent F# minor
    {140,
     54,
     MINOR,
     {0, 5, 3, 4},
     4,
     wave::saw,
     wave::saw,
     wave::square,
     drum_style::driving,
     false,
     2600.0f,
     0.15f,
     105,
     3,
     96.0},
    // music7, warehouse and laboratory: funky C minor
    {116,
     48,
     DORIAN,
     {0, 0, 3, 3, 4, 4, 6, 6},
     8,
     wave::pulse25,
     wave::square,
     wave::saw,
     drum_style::rock,
     false,
     2000.0f,
     0.25f,
     106,
     2,
     96.0},
    // music8, the hub and the castle: G harmonic minor, fast and tense
    {150,
     55,
     HARMONIC,
     {0, 5, 4, 4},
     4,
     wave::saw,
     wave::saw,
     wave::saw,
     drum_style::driving,
     true,
     2800.0f,
     0.15f,
     107,
     1,
     96.0},
    // music9, outpost, bridge and forum: syncopated Bb minor
    {124,
     46,
     MINOR,
     {0, 6, 5, 4, 0, 6, 3, 4},
     8,
     wave::square,
     wave::saw,
     wave::triangle,
     drum_style::halftime,
     false,
     1900.0f,
     0.3f,
     108,
     2,
     96.0},
    // music10, the final fight: C# minor, fastest
    {162,
     49,
     HARMONIC,
     {0, 0, 5, 4, 0, 0, 5, 6},
     8,
     wave::saw,
     wave::saw,
     wave::saw,
     drum_style::driving,
     true,
     3000.0f,
     0.12f,
     109,
     3,
     96.0},
    // mouse: cheerful C major chiptune
    {136,
     60,
     MAJOR,
     {0, 3, 4, 0, 5, 3, 1, 4},
     8,
     wave::pulse25,
     wave::triangle,
     wave::square,
     drum_style::chip,
     true,
     3500.0f,
     0.2f,
     110,
     3,
     96.0},
};

}  // namespace

const char* music_track_path(int i) { return paths[i < 0 || i >= music_track_count ? 0 : i]; }
const track_style& music_track_style(int i) { return styles[i < 0 || i >= music_track_count ? 0 : i]; }
sample_buffer render_music_track(int i) { return render_track(music_track_style(i)); }
