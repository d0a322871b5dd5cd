// A sound decoded on a thread of its own while the game goes on: the menu
// music is not heard before the splash is over, so start-up need not wait
// for its 41 seconds to decode.
#pragma once
#include <cstdint>

struct background_sound;

// Opens `path`, logging as load_sound does, and starts decoding it. Null
// when the file cannot be opened (logged); without a thread to spare the
// decoding happens here and now.
background_sound* background_sound_start(const char* path);

// Waits for the decoding, prints what it had to say and uploads the
// samples: the new buffer, or 0 as load_sound would give. Frees `sound`;
// null gives 0.
uint32_t background_sound_finish(background_sound* sound);

// Stops the decoding at its next chunk and frees `sound`, uploading
// nothing. Null is fine.
void background_sound_cancel(background_sound* sound);
