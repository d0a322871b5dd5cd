// A sound decoded on a thread of its own.
#include "audio/background_sound.h"

#include <atomic>
#include <cstdio>
#include <new>
#include <system_error>
#include <thread>

#include "audio/load_sound.h"

struct background_sound {
  sound_decode decode;
  std::atomic<bool> cancel{false};
  std::thread worker;
};

background_sound* background_sound_start(const char* path) {
  background_sound* sound = new (std::nothrow) background_sound;
  if (!sound) return nullptr;
  if (!sound_decode_open(sound->decode, path)) {
    delete sound;
    return nullptr;
  }
  try {
    sound->worker = std::thread(sound_decode_run, std::ref(sound->decode), &sound->cancel);
  } catch (const std::system_error& e) {
    printf("%s: no thread to decode it beside the game (%s)\n", path, e.what());
    sound_decode_run(sound->decode, nullptr);
  }
  return sound;
}

uint32_t background_sound_finish(background_sound* sound) {
  if (!sound) return 0;
  if (sound->worker.joinable()) sound->worker.join();
  uint32_t buffer = sound_decode_upload(sound->decode);
  delete sound;
  return buffer;
}

void background_sound_cancel(background_sound* sound) {
  if (!sound) return;
  sound->cancel.store(true);
  if (sound->worker.joinable()) sound->worker.join();
  delete sound;
}
