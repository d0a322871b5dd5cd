// The high-resolution counter and the 1 ms sleep.
#pragma once
#include <cstdint>

// Ticks of the performance counter since some fixed point.
uint64_t platform_counter();

// Ticks of the performance counter per second.
uint64_t platform_counter_frequency();

// Gives up the processor for about `ms` milliseconds.
void platform_sleep_ms(int ms);
