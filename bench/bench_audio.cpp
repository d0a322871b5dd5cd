// How long the sound system takes: decoding a level's music, one tick's sounds.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/audio_device.h"
#include "audio/load_sound.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "game/entity_sources.h"
#include "game/game_sounds.h"
#include "player/player.h"

namespace {

// A stereo WAV of `seconds` of two tones, encoded with the opusenc command.
std::string make_music(int seconds) {
  std::string wav = "/tmp/tarvo_bench_music.wav", opus = "/tmp/tarvo_bench_music.opus";
  FILE* f = fopen(wav.c_str(), "wb");
  if (!f) return "";
  uint32_t frames = 48000u * seconds, bytes = frames * 4;
  auto u32 = [f](uint32_t v) { fwrite(&v, 4, 1, f); };
  auto u16 = [f](uint16_t v) { fwrite(&v, 2, 1, f); };
  fwrite("RIFF", 1, 4, f);
  u32(36 + bytes);
  fwrite("WAVEfmt ", 1, 8, f);
  u32(16);
  u16(1);
  u16(2);
  u32(48000);
  u32(192000);
  u16(4);
  u16(16);
  fwrite("data", 1, 4, f);
  u32(bytes);
  for (uint32_t i = 0; i < frames; ++i) {
    u16(static_cast<uint16_t>(static_cast<int16_t>(9000 * sin(i * 0.031))));
    u16(static_cast<uint16_t>(static_cast<int16_t>(9000 * sin(i * 0.047))));
  }
  fclose(f);
  std::string command = "opusenc --quiet " + wav + " " + opus;
  return system(command.c_str()) == 0 ? opus : "";
}

// Decoding three minutes of stereo music, as a level start does.
void BM_load_level_music(benchmark::State& state) {
  setenv("ALSOFT_DRIVERS", "null", 0);
  sound_table table = init_audio();
  std::string path = make_music(180);
  if (path.empty()) {
    state.SkipWithError("opusenc failed");
    return;
  }
  for (auto _ : state) {
    uint32_t buffer = load_sound(path.c_str());
    benchmark::DoNotOptimize(buffer);
    delete_sound_buffer(buffer);
  }
  uint32_t none = 0;
  close_audio(table, none);
}
BENCHMARK(BM_load_level_music)->Unit(benchmark::kMillisecond);

// One tick's entity pass over a level of `range` enemies, a tenth of them
// making a sound.
void BM_entity_sounds(benchmark::State& state) {
  setenv("ALSOFT_DRIVERS", "null", 0);
  sound_table table = init_audio();
  std::vector<entity> list(static_cast<size_t>(state.range(0)) + 1);
  for (size_t i = 1; i < list.size(); ++i) {
    list[i].type = 200 + static_cast<int32_t>(i % 14);
    list[i].pos[0] = static_cast<double>(i % 17);
    list[i].pos[2] = -static_cast<double>(i % 23);
    list[i - 1].next = &list[i];
  }
  give_entity_sources(&list[0]);
  player p{};
  for (auto _ : state) {
    for (size_t i = 1; i < list.size(); i += 10) list[i].sound_event = 1 + static_cast<int32_t>(i % 2);
    entity_sounds(&list[0], table, p);
  }
  delete_entity_sources(&list[0]);
  uint32_t none = 0;
  close_audio(table, none);
}
BENCHMARK(BM_entity_sounds)->Arg(50)->Arg(200);

}  // namespace
