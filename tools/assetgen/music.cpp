// Sequencer: notes are placed on a sixteenth-note grid and rendered voice by voice into a bus
// that wraps at the loop point, so tails of the last bar ring into the first and the loop is
// seamless.
#include "tools/assetgen/music.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/mastering.h"

namespace {

// The rendering context of one track.
struct session {
  const track_style& s;
  loop_bus bus;
  double step;  // frames per sixteenth note
  rng noise;
};

struct note_shape {
  wave w;
  float amp, pan;
  double attack, decay;
  float sustain;
  double release;
  float cutoff, cutoff_env, q;
  double detune;  // second oscillator offset in cents, 0 for one
};

void play_note(session& ss, double at16, double len16, double midi, const note_shape& n) {
  long start = std::lround(at16 * ss.step);
  double hold = len16 * ss.step / sample_rate;
  long frames = (long)((hold + n.release) * sample_rate);
  double hz = midi_hz(midi), hz2 = hz * std::pow(2.0, n.detune / 1200.0);
  svf f;
  double p1 = 0, p2 = 0.37;
  for (long i = 0; i < frames; ++i) {
    double t = (double)i / sample_rate;
    float env = adsr(t, hold, n.attack, n.decay, n.sustain, n.release);
    if (env <= 0 && t > hold) break;
    p1 += hz / sample_rate;
    p2 += hz2 / sample_rate;
    float v = oscillator(n.w, p1, ss.noise);
    if (n.detune != 0) v = 0.6f * v + 0.6f * oscillator(n.w, p2, ss.noise);
    float cut = n.cutoff + n.cutoff_env * env;
    v = svf_step(f, v, cut, n.q);
    bus_add(ss.bus, start + i, v * env * n.amp, n.pan);
  }
}

void kick(session& ss, double at16, float amp) {
  long start = std::lround(at16 * ss.step);
  double phase = 0;
  for (long i = 0; i < (long)(0.32 * sample_rate); ++i) {
    double t = (double)i / sample_rate;
    phase += (62.0 + 120.0 * std::exp(-t * 30.0)) / sample_rate;
    float v = (float)std::sin(2 * M_PI * phase) * (float)std::exp(-t * 12.0);
    bus_add(ss.bus, start + i, v * amp, 0.0f);
  }
}

void snare(session& ss, double at16, float amp) {
  long start = std::lround(at16 * ss.step);
  svf f;
  for (long i = 0; i < (long)(0.22 * sample_rate); ++i) {
    double t = (double)i / sample_rate;
    float n = oscillator(wave::noise, 0, ss.noise);
    svf_step(f, n, 2200.0f, 1.0f);
    float tone = (float)std::sin(2 * M_PI * 190.0 * t) * (float)std::exp(-t * 30.0);
    float v = (f.band * 1.4f * (float)std::exp(-t * 16.0) + tone * 0.6f);
    bus_add(ss.bus, start + i, v * amp, 0.1f);
  }
}

void hat(session& ss, double at16, float amp, bool open) {
  long start = std::lround(at16 * ss.step);
  svf f;
  double decay = open ? 14.0 : 60.0;
  for (long i = 0; i < (long)((open ? 0.25 : 0.06) * sample_rate); ++i) {
    double t = (double)i / sample_rate;
    float n = oscillator(wave::noise, 0, ss.noise);
    float hp = n - svf_step(f, n, 7000.0f, 0.7f);
    bus_add(ss.bus, start + i, hp * (float)std::exp(-t * decay) * amp, -0.3f);
  }
}

int degree_note(const track_style& s, int degree) {
  int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
  int d = degree - octave * 7;
  return s.root + s.scale[d] + 12 * octave;
}

// One bar of the track's drum style at `level`: 0 silent, 1 light (kick on the one and the hats),
// 2 the whole pattern, 3 the pattern with a fill at the end of every second bar.
void drums_bar(session& ss, int bar, int level) {
  double b = bar * 16.0;
  if (level <= 0) return;
  if (level == 1) {
    if (ss.s.drums == drum_style::none) return;
    kick(ss, b, 0.6f);
    for (int k = 0; k < 8; ++k) hat(ss, b + k * 2, k % 2 ? 0.1f : 0.16f, false);
    return;
  }
  if (level == 3 && bar % 2 == 1 && ss.s.drums != drum_style::none) {
    snare(ss, b + 13, 0.3f);
    snare(ss, b + 14, 0.35f);
    snare(ss, b + 15, 0.4f);
  }
  switch (ss.s.drums) {
    case drum_style::none:
      break;
    case drum_style::sparse:
      kick(ss, b, 0.7f);
      if (bar % 2) snare(ss, b + 12, 0.25f);
      for (int k = 0; k < 4; ++k) hat(ss, b + k * 4 + 2, 0.12f, false);
      break;
    case drum_style::rock:
      kick(ss, b, 0.9f);
      kick(ss, b + 8, 0.8f);
      if (bar % 2) kick(ss, b + 10, 0.6f);
      snare(ss, b + 4, 0.5f);
      snare(ss, b + 12, 0.5f);
      for (int k = 0; k < 8; ++k) hat(ss, b + k * 2, k % 2 ? 0.16f : 0.26f, false);
      break;
    case drum_style::driving:
      for (int k = 0; k < 4; ++k) kick(ss, b + k * 4, 0.85f);
      snare(ss, b + 4, 0.5f);
      snare(ss, b + 12, 0.5f);
      if (bar % 4 == 3) {
        snare(ss, b + 14, 0.35f);
        snare(ss, b + 15, 0.4f);
      }
      for (int k = 0; k < 16; ++k) hat(ss, b + k, k % 4 == 2 ? 0.2f : 0.09f, k % 8 == 6);
      break;
    case drum_style::halftime:
      kick(ss, b, 0.9f);
      kick(ss, b + 6, 0.6f);
      snare(ss, b + 8, 0.6f);
      for (int k = 0; k < 8; ++k) hat(ss, b + k * 2, 0.12f, k == 7);
      break;
    case drum_style::chip:
      kick(ss, b, 0.7f);
      kick(ss, b + 8, 0.7f);
      snare(ss, b + 4, 0.35f);
      snare(ss, b + 12, 0.35f);
      for (int k = 0; k < 8; ++k) hat(ss, b + k * 2 + 1, 0.1f, false);
      break;
  }
}

// One bar of pad, bass and (with `arp`) arpeggio on the progression's chord moved by `shift` scale
// degrees; `bass_pattern` chooses the bass line. The bass sits an octave above the old sub bass,
// from about 58 Hz up, where small speakers still play it.
void harmony_bar(session& ss, int bar, int shift, bool arp_on, int bass_pattern) {
  const track_style& s = ss.s;
  int deg = s.chords[bar % s.chord_count] + shift;
  double b = bar * 16.0;
  note_shape pad{s.pad, 0.07f, 0.0f, 0.4, 0.5, 0.7f, 0.6, 900.0f, 700.0f, 0.8f, 9.0};
  for (int k = 0; k < 3; ++k) {
    pad.pan = (k - 1) * 0.5f;
    play_note(ss, b, 16, degree_note(s, deg + 2 * k), pad);
  }
  note_shape bass{s.bass, 0.28f, 0.0f, 0.005, 0.15, 0.6f, 0.08, 260.0f, 900.0f, 1.5f, 0};
  int root = degree_note(s, deg) - 12;
  switch (bass_pattern) {
    case 0:
      play_note(ss, b, 15, root, bass);
      break;
    case 1:
      for (int k = 0; k < 8; ++k) play_note(ss, b + k * 2, 1.6, root, bass);
      break;
    case 2: {
      const int at[6] = {0, 3, 6, 8, 11, 14};
      for (int k = 0; k < 6; ++k) play_note(ss, b + at[k], k == 3 ? 2.5 : 1.5, root + (k == 4 ? 7 : 0), bass);
      break;
    }
    default:
      for (int k = 0; k < 8; ++k) play_note(ss, b + k * 2, 1.4, root + (k % 2 ? 12 : 0), bass);
      break;
  }
  if (arp_on) {
    note_shape arp{wave::pulse25, 0.05f, 0.0f, 0.003, 0.12, 0.2f, 0.1, 1800.0f, 2500.0f, 1.0f, 0};
    const int order[4] = {0, 2, 4, 7};
    for (int k = 0; k < 16; ++k) {
      arp.pan = (k % 2) ? 0.4f : -0.4f;
      play_note(ss, b + k, 0.8, degree_note(s, deg + order[k % 4]) + 12, arp);
    }
  }
}

// A two-bar melodic phrase: one entry per eighth note, -100 for a rest, otherwise a scale degree.
struct phrase {
  int notes[16];
  int lengths[16];
};

phrase make_phrase(rng& r, int start_degree) {
  phrase p{};
  int deg = start_degree;
  for (int k = 0; k < 16; ++k) {
    bool strong = k % 4 == 0;
    if (!strong && rng_unit(r) < 0.35) {
      p.notes[k] = -100;
      continue;
    }
    int move = rng_int(r, 5) - 2;
    if (rng_unit(r) < 0.15) move *= 2;
    deg = std::max(-2, std::min(9, deg + move));
    if (strong && (deg % 2)) deg += (rng_unit(r) < 0.5 ? 1 : -1);
    p.notes[k] = deg;
    p.lengths[k] = 1;
  }
  // Join notes over the rests that follow them, and end the phrase on a long note.
  for (int k = 0; k < 16; ++k) {
    if (p.notes[k] == -100) continue;
    int j = k + 1;
    while (j < 16 && p.notes[j] == -100 && rng_unit(r) < 0.8) ++j;
    p.lengths[k] = j - k;
  }
  p.notes[14] = 0;
  p.lengths[14] = 2;
  p.notes[15] = -100;
  return p;
}

void lead_phrase(session& ss, const phrase& p, int bar, int chord_shift, int octave) {
  const track_style& s = ss.s;
  note_shape lead{s.lead, 0.13f, 0.15f, 0.01, 0.2, 0.65f, 0.15, s.lead_cutoff * 1.3f, s.lead_cutoff * 2.0f,
                  1.2f,   6.0};
  for (int k = 0; k < 16; ++k) {
    if (p.notes[k] == -100) continue;
    int deg = p.notes[k] + chord_shift;
    play_note(ss, bar * 16.0 + k * 2, p.lengths[k] * 2 - 0.4, degree_note(s, deg) + 12 + 12 * octave, lead);
  }
}

// What a section of the track plays: how much drum, which melody (-1 none), the melody's octave,
// the progression moved by some scale degrees, the arpeggio and the bass line.
struct section {
  int drums;
  int melody;
  int octave;
  int shift;
  bool arp;
  int bass;  // -1: the track's own pattern
};

// The sections follow one another in this order, round and round: an opening, the first theme,
// a second theme on a moved progression, a breakdown without drums, the first theme an octave
// up with fills, and a bridge without melody.
constexpr section section_plan[] = {
    {1, -1, 0, 0, false, 0}, {2, 0, 0, 0, true, -1}, {2, 1, 0, 3, true, -1},
    {0, 2, 1, 3, true, 0},   {3, 0, 1, 0, true, -1}, {3, -1, 0, 5, false, 3},
};
constexpr int section_kinds = sizeof section_plan / sizeof section_plan[0];

double bar_seconds(const track_style& style) { return 4.0 * 60.0 / style.bpm; }

// Bars per section: eight, or four for the slowest tracks so that they too pass every section.
int section_bars(const track_style& style) { return bar_seconds(style) > 2.5 ? 4 : 8; }

void render_sections(session& ss, int bars, const phrase melodies[4]) {
  const track_style& s = ss.s;
  int per = section_bars(s);
  for (int bar = 0; bar < bars; ++bar) {
    const section& sec = section_plan[(bar / per) % section_kinds];
    drums_bar(ss, bar, sec.drums);
    harmony_bar(ss, bar, sec.shift, sec.arp || s.arpeggio, sec.bass < 0 ? s.bass_pattern : sec.bass);
    // The melody plays two-bar phrases: the section's own, then its answer.
    if (sec.melody >= 0 && bar % 2 == 0 && bar + 1 < bars) {
      int unit = (bar % per) / 2;
      const phrase& p = melodies[(sec.melody + (unit % 2 ? 1 : 0) + (unit >= 2 ? 2 : 0)) % 4];
      lead_phrase(ss, p, bar, sec.shift, sec.octave);
    }
  }
}

}  // namespace

int track_bars(const track_style& style) {
  double seconds = style.min_seconds;
  if (seconds >= 90.0) seconds = std::max(seconds, bar_seconds(style) * section_bars(style) * section_kinds);
  int bars = (int)std::ceil(seconds / bar_seconds(style) / 8.0) * 8;
  return std::max(8, bars);
}

sample_buffer render_track(const track_style& style) {
  int bars = track_bars(style);
  double step = sample_rate * 60.0 / style.bpm / 4.0;
  long frames = std::lround(bars * 16 * step);
  session ss{style, bus_make((int)frames), step, rng_make(style.seed * 7 + 3)};
  rng melody = rng_make(style.seed);
  phrase melodies[4] = {make_phrase(melody, 2), make_phrase(melody, 4), make_phrase(melody, 0),
                        make_phrase(melody, 5)};
  for (int k = 8; k < 14; ++k)
    if (melodies[3].notes[k] != -100) melodies[3].notes[k] += rng_int(melody, 3) - 1;
  render_sections(ss, bars, melodies);
  bus_echo(ss.bus, (int)std::lround(step * 3), 0.3f, style.echo);
  // What lies below the bass is rumble small speakers cannot play: taken off before the loudness.
  bus_highpass(ss.bus, 70.0f);
  sample_buffer out;
  out.channels = 2;
  out.samples.resize((size_t)frames * 2);
  for (long i = 0; i < frames; ++i) {
    out.samples[2 * i] = ss.bus.left[i];
    out.samples[2 * i + 1] = ss.bus.right[i];
  }
  master_loudness(out, music_loudness_lufs, false, 0.9f);
  return out;
}
