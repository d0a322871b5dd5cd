// The key-down test by Windows virtual-key code, on SDL's keyboard state.
//
// The game names keys by Windows virtual-key codes; this table says which
// SDL scancode (a physical key on a US layout) each code stands for. Codes
// that name two keys (shift, control, alt) test both sides.
#include "platform/keyboard.h"

#include <SDL.h>

#include "platform/gamepad.h"

namespace {

struct vk_entry {
  int vk;
  SDL_Scancode primary;
  SDL_Scancode secondary;
};

constexpr SDL_Scancode none = SDL_SCANCODE_UNKNOWN;

const vk_entry vk_table[] = {
    {0x08, SDL_SCANCODE_BACKSPACE, none},
    {0x09, SDL_SCANCODE_TAB, none},
    {0x0C, SDL_SCANCODE_CLEAR, none},
    {0x0D, SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER},
    {0x10, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT},
    {0x11, SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL},
    {0x12, SDL_SCANCODE_LALT, SDL_SCANCODE_RALT},
    {0x13, SDL_SCANCODE_PAUSE, none},
    {0x14, SDL_SCANCODE_CAPSLOCK, none},
    {0x1B, SDL_SCANCODE_ESCAPE, none},
    {0x20, SDL_SCANCODE_SPACE, none},
    {0x21, SDL_SCANCODE_PAGEUP, none},
    {0x22, SDL_SCANCODE_PAGEDOWN, none},
    {0x23, SDL_SCANCODE_END, none},
    {0x24, SDL_SCANCODE_HOME, none},
    {0x25, SDL_SCANCODE_LEFT, none},
    {0x26, SDL_SCANCODE_UP, none},
    {0x27, SDL_SCANCODE_RIGHT, none},
    {0x28, SDL_SCANCODE_DOWN, none},
    {0x29, SDL_SCANCODE_SELECT, none},
    {0x2B, SDL_SCANCODE_EXECUTE, none},
    {0x2C, SDL_SCANCODE_PRINTSCREEN, none},
    {0x2D, SDL_SCANCODE_INSERT, none},
    {0x2E, SDL_SCANCODE_DELETE, none},
    {0x2F, SDL_SCANCODE_HELP, none},
    {0x30, SDL_SCANCODE_0, none},
    {0x31, SDL_SCANCODE_1, none},
    {0x32, SDL_SCANCODE_2, none},
    {0x33, SDL_SCANCODE_3, none},
    {0x34, SDL_SCANCODE_4, none},
    {0x35, SDL_SCANCODE_5, none},
    {0x36, SDL_SCANCODE_6, none},
    {0x37, SDL_SCANCODE_7, none},
    {0x38, SDL_SCANCODE_8, none},
    {0x39, SDL_SCANCODE_9, none},
    {0x41, SDL_SCANCODE_A, none},
    {0x42, SDL_SCANCODE_B, none},
    {0x43, SDL_SCANCODE_C, none},
    {0x44, SDL_SCANCODE_D, none},
    {0x45, SDL_SCANCODE_E, none},
    {0x46, SDL_SCANCODE_F, none},
    {0x47, SDL_SCANCODE_G, none},
    {0x48, SDL_SCANCODE_H, none},
    {0x49, SDL_SCANCODE_I, none},
    {0x4A, SDL_SCANCODE_J, none},
    {0x4B, SDL_SCANCODE_K, none},
    {0x4C, SDL_SCANCODE_L, none},
    {0x4D, SDL_SCANCODE_M, none},
    {0x4E, SDL_SCANCODE_N, none},
    {0x4F, SDL_SCANCODE_O, none},
    {0x50, SDL_SCANCODE_P, none},
    {0x51, SDL_SCANCODE_Q, none},
    {0x52, SDL_SCANCODE_R, none},
    {0x53, SDL_SCANCODE_S, none},
    {0x54, SDL_SCANCODE_T, none},
    {0x55, SDL_SCANCODE_U, none},
    {0x56, SDL_SCANCODE_V, none},
    {0x57, SDL_SCANCODE_W, none},
    {0x58, SDL_SCANCODE_X, none},
    {0x59, SDL_SCANCODE_Y, none},
    {0x5A, SDL_SCANCODE_Z, none},
    {0x5B, SDL_SCANCODE_LGUI, none},
    {0x5C, SDL_SCANCODE_RGUI, none},
    {0x5D, SDL_SCANCODE_APPLICATION, none},
    {0x5F, SDL_SCANCODE_SLEEP, none},
    {0x60, SDL_SCANCODE_KP_0, none},
    {0x61, SDL_SCANCODE_KP_1, none},
    {0x62, SDL_SCANCODE_KP_2, none},
    {0x63, SDL_SCANCODE_KP_3, none},
    {0x64, SDL_SCANCODE_KP_4, none},
    {0x65, SDL_SCANCODE_KP_5, none},
    {0x66, SDL_SCANCODE_KP_6, none},
    {0x67, SDL_SCANCODE_KP_7, none},
    {0x68, SDL_SCANCODE_KP_8, none},
    {0x69, SDL_SCANCODE_KP_9, none},
    {0x6A, SDL_SCANCODE_KP_MULTIPLY, none},
    {0x6B, SDL_SCANCODE_KP_PLUS, none},
    {0x6C, SDL_SCANCODE_KP_COMMA, none},
    {0x6D, SDL_SCANCODE_KP_MINUS, none},
    {0x6E, SDL_SCANCODE_KP_PERIOD, none},
    {0x6F, SDL_SCANCODE_KP_DIVIDE, none},
    {0x70, SDL_SCANCODE_F1, none},
    {0x71, SDL_SCANCODE_F2, none},
    {0x72, SDL_SCANCODE_F3, none},
    {0x73, SDL_SCANCODE_F4, none},
    {0x74, SDL_SCANCODE_F5, none},
    {0x75, SDL_SCANCODE_F6, none},
    {0x76, SDL_SCANCODE_F7, none},
    {0x77, SDL_SCANCODE_F8, none},
    {0x78, SDL_SCANCODE_F9, none},
    {0x79, SDL_SCANCODE_F10, none},
    {0x7A, SDL_SCANCODE_F11, none},
    {0x7B, SDL_SCANCODE_F12, none},
    {0x7C, SDL_SCANCODE_F13, none},
    {0x7D, SDL_SCANCODE_F14, none},
    {0x7E, SDL_SCANCODE_F15, none},
    {0x7F, SDL_SCANCODE_F16, none},
    {0xA0, SDL_SCANCODE_LSHIFT, none},
    {0xA1, SDL_SCANCODE_RSHIFT, none},
    {0xA2, SDL_SCANCODE_LCTRL, none},
    {0xA3, SDL_SCANCODE_RCTRL, none},
    {0xA4, SDL_SCANCODE_LALT, none},
    {0xA5, SDL_SCANCODE_RALT, none},
    // The OEM punctuation keys, US layout.
    {0xBA, SDL_SCANCODE_SEMICOLON, none},
    {0xBB, SDL_SCANCODE_EQUALS, none},
    {0xBC, SDL_SCANCODE_COMMA, none},
    {0xBD, SDL_SCANCODE_MINUS, none},
    {0xBE, SDL_SCANCODE_PERIOD, none},
    {0xBF, SDL_SCANCODE_SLASH, none},
    {0xC0, SDL_SCANCODE_GRAVE, none},
    {0xDB, SDL_SCANCODE_LEFTBRACKET, none},
    {0xDC, SDL_SCANCODE_BACKSLASH, none},
    {0xDD, SDL_SCANCODE_RIGHTBRACKET, none},
    {0xDE, SDL_SCANCODE_APOSTROPHE, none},
};

const vk_entry* find_vk(int vk) {
  for (const vk_entry& entry : vk_table)
    if (entry.vk == vk) return &entry;
  return nullptr;
}

}  // namespace

int platform_vk_scancode(int vk) {
  const vk_entry* entry = find_vk(vk);
  return entry ? entry->primary : 0;
}

bool platform_key_down(int vk) {
  // A gamepad button stands for a key while it is held.
  if (platform_gamepad_holds_key(vk)) return true;
  const vk_entry* entry = find_vk(vk);
  if (!entry) return false;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  if (!keys) return false;
  if (entry->primary < count && keys[entry->primary]) return true;
  return entry->secondary != none && entry->secondary < count && keys[entry->secondary];
}
