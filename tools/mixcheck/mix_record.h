// Recording one part of the mix: a sound played the way the game plays it,
// with OpenAL Soft's wave backend writing what was heard to a file.
#pragma once

// Points OpenAL Soft at its wave backend writing 16-bit stereo at 48 kHz to
// `wav_path` (through a config file beside it). Must run before the first
// OpenAL call of the process, which reads its configuration once.
void mix_use_wave_backend(const char* wav_path);

// Plays part `what` for `seconds` through the game's sound system, run from
// the folder that holds data/:
//   music:NAME    data/sound/NAME.opus as a level starts its music
//   menu          the title's menu music
//   rifle         the player's automatic gun held for two seconds
//   shotgun       one shot of the player's shotgun
//   energy        one shot of the player's energy gun
//   shot:TYPE:D   one shot of an enemy of TYPE, D units in front of the player
//   cry:TYPE:D    one pain cry of an enemy of TYPE, D units in front
// False (with a line on standard error) for an unknown part or no device.
bool mix_record(const char* what, double seconds);
