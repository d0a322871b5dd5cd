// Gamepads through SDL's game-controller API.
//
// SDL names a pad's controls by the Xbox layout and knows most pads from
// its built-in community mapping database; a player with an unknown pad can
// add its line to a gamecontrollerdb.txt file. Only pads SDL can map are
// used, so a flight stick or a wheel is left alone.
#include "platform/gamepad.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {

SDL_GameController* open_pad = nullptr;
bool subsystem_started = false;
uint8_t held_keys[256];

// SDL's button and axis numbers in the order of ours.
const SDL_GameControllerButton sdl_buttons[pad_button_count] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};
const SDL_GameControllerAxis sdl_axes[pad_axis_count] = {
    SDL_CONTROLLER_AXIS_LEFTX,  SDL_CONTROLLER_AXIS_LEFTY,       SDL_CONTROLLER_AXIS_RIGHTX,
    SDL_CONTROLLER_AXIS_RIGHTY, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT,
};

const char* pad_name(SDL_GameController* pad) {
  const char* name = SDL_GameControllerName(pad);
  return name ? name : "unnamed pad";
}

// Opens the first joystick SDL knows as a game controller.
void open_first_pad() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    open_pad = SDL_GameControllerOpen(i);
    if (open_pad) {
      printf("gamepad: %s connected\n", pad_name(open_pad));
      return;
    }
    printf("gamepad: cannot open pad %d: %s\n", i, SDL_GetError());
  }
}

void close_pad() {
  if (!open_pad) return;
  SDL_GameControllerClose(open_pad);
  open_pad = nullptr;
}

// The virtual pads attached for tests, each held open by us so its state
// can be set before and after the game opens it.
constexpr int virtual_pad_limit = 4;
SDL_Joystick* virtual_pads[virtual_pad_limit];

SDL_Joystick* virtual_pad(int handle) {
  return handle >= 0 && handle < virtual_pad_limit ? virtual_pads[handle] : nullptr;
}

}  // namespace

bool platform_gamepad_init(const char* mapping_file) {
  if (!subsystem_started) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
      printf("gamepad: no gamepad support: %s\n", SDL_GetError());
      return false;
    }
    subsystem_started = true;
  }
  if (mapping_file && mapping_file[0]) {
    FILE* probe = fopen(mapping_file, "rb");
    if (probe) {
      fclose(probe);
      int added = SDL_GameControllerAddMappingsFromFile(mapping_file);
      if (added < 0)
        printf("gamepad: cannot read mappings from \"%s\": %s\n", mapping_file, SDL_GetError());
      else
        printf("gamepad: %d mappings from \"%s\"\n", added, mapping_file);
    }
  }
  return true;
}

void platform_gamepad_quit() {
  close_pad();
  for (int handle = 0; handle < virtual_pad_limit; ++handle) platform_gamepad_detach_virtual(handle);
  memset(held_keys, 0, sizeof held_keys);
  if (subsystem_started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  subsystem_started = false;
}

void platform_gamepad_read(gamepad_state* state) {
  *state = gamepad_state{};
  if (!subsystem_started) return;
  if (open_pad && !SDL_GameControllerGetAttached(open_pad)) {
    printf("gamepad: %s disconnected\n", pad_name(open_pad));
    close_pad();
  }
  if (!open_pad) open_first_pad();
  if (!open_pad) return;
  state->connected = 1;
  for (int b = 0; b < pad_button_count; ++b)
    if (SDL_GameControllerGetButton(open_pad, sdl_buttons[b])) state->buttons |= 1u << b;
  for (int a = 0; a < pad_axis_count; ++a) state->axes[a] = SDL_GameControllerGetAxis(open_pad, sdl_axes[a]);
}

void platform_gamepad_hold_keys(const uint8_t* held) {
  if (held)
    memcpy(held_keys, held, sizeof held_keys);
  else
    memset(held_keys, 0, sizeof held_keys);
}

bool platform_gamepad_holds_key(int vk) { return vk >= 0 && vk < 256 && held_keys[vk] != 0; }

int platform_gamepad_attach_virtual(const char* name) {
  if (!subsystem_started) return -1;
  int handle = 0;
  while (handle < virtual_pad_limit && virtual_pads[handle]) ++handle;
  if (handle == virtual_pad_limit) return -1;
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = name;
  int device_index = SDL_JoystickAttachVirtualEx(&desc);
  if (device_index < 0) return -1;
  virtual_pads[handle] = SDL_JoystickOpen(device_index);
  if (!virtual_pads[handle]) {
    SDL_JoystickDetachVirtual(device_index);
    return -1;
  }
  return handle;
}

void platform_gamepad_set_virtual_button(int handle, gamepad_button button, bool down) {
  if (button < 0 || button >= pad_button_count) return;
  if (SDL_Joystick* joystick = virtual_pad(handle))
    SDL_JoystickSetVirtualButton(joystick, sdl_buttons[button], down ? 1 : 0);
}

void platform_gamepad_set_virtual_axis(int handle, gamepad_axis axis, int16_t value) {
  if (axis < 0 || axis >= pad_axis_count) return;
  if (SDL_Joystick* joystick = virtual_pad(handle))
    SDL_JoystickSetVirtualAxis(joystick, sdl_axes[axis], value);
}

void platform_gamepad_detach_virtual(int handle) {
  SDL_Joystick* joystick = virtual_pad(handle);
  if (!joystick) return;
  SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
  SDL_JoystickClose(joystick);
  virtual_pads[handle] = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
}
