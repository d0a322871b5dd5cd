// The main of every test executable: headless drivers, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

// The GL driver is loaded with dlopen and unloaded when the last context
// goes; a leak report about memory it allocated could then not name the
// library, nor be told apart from ours. Making dlclose a no-op in the test
// executables keeps every library mapped until exit.
extern "C" int dlclose(void*) { return 0; }

int main(int argc, char** argv) {
  // Run headless even when started by hand outside CTest.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
