// The high-resolution counter and the 1 ms sleep, on SDL's timer.
#include "platform/timer.h"

#include <SDL.h>

uint64_t platform_counter() { return SDL_GetPerformanceCounter(); }

uint64_t platform_counter_frequency() { return SDL_GetPerformanceFrequency(); }

void platform_sleep_ms(int ms) { SDL_Delay(ms > 0 ? static_cast<Uint32>(ms) : 0); }
