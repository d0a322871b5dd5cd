// The game's music: the menu piece, the level pieces named by the campaign and the secret level's.
#pragma once

#include "tools/assetgen/music.h"

// Number of music tracks.
constexpr int music_track_count = 10;

// File name below data/ of track i, e.g. "sound/music3.opus".
const char* music_track_path(int i);
// Style of track i.
const track_style& music_track_style(int i);
// Renders track i (for the sound catalogue).
sample_buffer render_music_track(int i);
