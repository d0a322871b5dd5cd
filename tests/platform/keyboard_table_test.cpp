// The table from Windows virtual-key codes to physical keys.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/keyboard.h"

TEST(VirtualKeys, LettersDigitsAndSpecialKeys) {
  for (int c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(platform_vk_scancode(c), SDL_SCANCODE_A + (c - 'A')) << c;
  EXPECT_EQ(platform_vk_scancode('0'), SDL_SCANCODE_0);
  for (int c = '1'; c <= '9'; ++c) EXPECT_EQ(platform_vk_scancode(c), SDL_SCANCODE_1 + (c - '1')) << c;
  EXPECT_EQ(platform_vk_scancode(vk_back), SDL_SCANCODE_BACKSPACE);
  EXPECT_EQ(platform_vk_scancode(vk_space), SDL_SCANCODE_SPACE);
  EXPECT_EQ(platform_vk_scancode(vk_return), SDL_SCANCODE_RETURN);
  EXPECT_EQ(platform_vk_scancode(vk_escape), SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(platform_vk_scancode(vk_left), SDL_SCANCODE_LEFT);
  EXPECT_EQ(platform_vk_scancode(vk_up), SDL_SCANCODE_UP);
  EXPECT_EQ(platform_vk_scancode(vk_right), SDL_SCANCODE_RIGHT);
  EXPECT_EQ(platform_vk_scancode(vk_down), SDL_SCANCODE_DOWN);
  EXPECT_EQ(platform_vk_scancode(vk_shift), SDL_SCANCODE_LSHIFT);
  EXPECT_EQ(platform_vk_scancode(vk_control), SDL_SCANCODE_LCTRL);
}

TEST(VirtualKeys, NumericKeypadAndFunctionKeysFillTheLowerCaseCodes) {
  // Codes 0x60 to 0x7F are the keypad and F1 to F16; the keyboard poll tests
  // them for the lower-case characters.
  EXPECT_EQ(platform_vk_scancode(0x60), SDL_SCANCODE_KP_0);
  EXPECT_EQ(platform_vk_scancode('a'), SDL_SCANCODE_KP_1);
  EXPECT_EQ(platform_vk_scancode(0x69), SDL_SCANCODE_KP_9);
  EXPECT_EQ(platform_vk_scancode(0x6F), SDL_SCANCODE_KP_DIVIDE);
  EXPECT_EQ(platform_vk_scancode(0x70), SDL_SCANCODE_F1);
  EXPECT_EQ(platform_vk_scancode(0x7B), SDL_SCANCODE_F12);
}

TEST(VirtualKeys, OemPunctuationOnAUsLayout) {
  EXPECT_EQ(platform_vk_scancode(0xBA), SDL_SCANCODE_SEMICOLON);
  EXPECT_EQ(platform_vk_scancode(0xBB), SDL_SCANCODE_EQUALS);
  EXPECT_EQ(platform_vk_scancode(0xBC), SDL_SCANCODE_COMMA);
  EXPECT_EQ(platform_vk_scancode(0xBD), SDL_SCANCODE_MINUS);
  EXPECT_EQ(platform_vk_scancode(0xBE), SDL_SCANCODE_PERIOD);
  EXPECT_EQ(platform_vk_scancode(0xBF), SDL_SCANCODE_SLASH);
  EXPECT_EQ(platform_vk_scancode(0xC0), SDL_SCANCODE_GRAVE);
  EXPECT_EQ(platform_vk_scancode(0xDB), SDL_SCANCODE_LEFTBRACKET);
  EXPECT_EQ(platform_vk_scancode(0xDC), SDL_SCANCODE_BACKSLASH);
  EXPECT_EQ(platform_vk_scancode(0xDD), SDL_SCANCODE_RIGHTBRACKET);
  EXPECT_EQ(platform_vk_scancode(0xDE), SDL_SCANCODE_APOSTROPHE);
}

TEST(VirtualKeys, UnnamedCodesReadAsUp) {
  for (int vk : {0, 0x3A, 0x40, 0x5E, 0xFF, 300, -1}) {
    EXPECT_EQ(platform_vk_scancode(vk), 0) << vk;
    EXPECT_FALSE(platform_key_down(vk)) << vk;
  }
}
