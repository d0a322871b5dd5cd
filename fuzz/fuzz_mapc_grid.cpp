// libFuzzer target: the compiler's grid-level reader on arbitrary bytes,
// the compile of what it accepts, and the game's reading of the result.
#include <cstddef>
#include <cstdint>

#include "fuzz/mapc_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  mapc_fuzz_init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mapc_fuzz_one(data, size, "fuzz.lvl");
  return 0;
}
