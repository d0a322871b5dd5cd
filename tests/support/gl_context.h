// A real OpenGL context for tests, through SDL's offscreen driver.
#pragma once

// Makes a hidden 256 x 256 window with a current legacy GL context, once per
// test executable; later calls return at once. False when no context can be
// made (the test should then fail).
bool test_gl_context();
