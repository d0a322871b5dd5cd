// The keyboard poll driven through a table of keys that are down.
#include "config/keyboard_poll.h"

#include <gtest/gtest.h>

#include "config/key_code.h"

namespace {

bool keys_down[256];

bool table_key_down(int vk) { return vk >= 0 && vk < 256 && keys_down[vk]; }

int slot_of(char c) { return c - 33; }

class KeyboardPoll : public testing::Test {
 protected:
  void SetUp() override {
    for (bool& down : keys_down) down = false;
  }
  void poll() { poll_keyboard(keys, table_key_down); }
  key_state keys{};
};

TEST_F(KeyboardPoll, TapOfALetterRunsThroughTheFourValues) {
  keys_down['A'] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('a')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('A')], key_up);
  poll();
  EXPECT_EQ(keys.slots[slot_of('a')], key_held);
  poll();
  EXPECT_EQ(keys.slots[slot_of('a')], key_held);
  keys_down['A'] = false;
  poll();
  EXPECT_EQ(keys.slots[slot_of('a')], key_released);
  poll();
  EXPECT_EQ(keys.slots[slot_of('a')], key_up);
  EXPECT_EQ(keys.slots[slot_of('A')], key_up);
}

TEST_F(KeyboardPoll, ShiftWithALetterFillsTheUpperCaseSlot) {
  keys_down[vk_shift] = true;
  keys_down['A'] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('A')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('a')], key_up);
  // Letting shift go while the key stays down: the upper-case slot is kept
  // held by the letter key, and the letter is not looked at again while its
  // own slot is held, so the lower-case slot stays up.
  keys_down[vk_shift] = false;
  poll();
  EXPECT_EQ(keys.slots[slot_of('A')], key_held);
  EXPECT_EQ(keys.slots[slot_of('a')], key_up);
  keys_down['A'] = false;
  poll();
  EXPECT_EQ(keys.slots[slot_of('A')], key_released);
}

TEST_F(KeyboardPoll, ShiftWithADigitFillsItsSymbol) {
  keys_down[vk_shift] = true;
  keys_down['1'] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('!')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('1')], key_up);
  poll();
  EXPECT_EQ(keys.slots[slot_of('!')], key_held);
  EXPECT_EQ(keys.slots[slot_of('1')], key_up);
  keys_down['0'] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of(')')], key_pressed);
}

TEST_F(KeyboardPoll, DigitHeldBeforeShiftGivesNoSymbol) {
  keys_down['1'] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('1')], key_pressed);
  keys_down[vk_shift] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('1')], key_held);
  EXPECT_EQ(keys.slots[slot_of('!')], key_up);
}

TEST_F(KeyboardPoll, PunctuationKeysAndTheirShiftedPartners) {
  const int vk_oem_3 = 0xC0, vk_oem_plus = 0xBB, vk_oem_7 = 0xDE, vk_oem_minus = 0xBD;
  keys_down[vk_oem_3] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('`')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('~')], key_up);

  keys = key_state{};
  keys_down[vk_shift] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('~')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('`')], key_up);
  // The tilde stays held by the grave key alone, whatever shift does.
  keys_down[vk_shift] = false;
  poll();
  EXPECT_EQ(keys.slots[slot_of('~')], key_held);

  keys = key_state{};
  keys_down[vk_oem_3] = false;
  keys_down[vk_oem_plus] = true;
  keys_down[vk_oem_7] = true;
  keys_down[vk_oem_minus] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('+')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('\'')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('-')], key_pressed);
  keys = key_state{};
  keys_down[vk_shift] = true;
  poll();
  EXPECT_EQ(keys.slots[slot_of('=')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('"')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('_')], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('+')], key_up);
}

TEST_F(KeyboardPoll, ControlHeldStaysHeldUntilReleased) {
  keys_down[vk_control] = true;
  poll();
  EXPECT_EQ(keys.slots[key_slot_control], key_pressed);
  for (int tick = 0; tick < 5; ++tick) {
    poll();
    EXPECT_EQ(keys.slots[key_slot_control], key_held);
  }
  keys_down[vk_control] = false;
  poll();
  EXPECT_EQ(keys.slots[key_slot_control], key_released);
  poll();
  EXPECT_EQ(keys.slots[key_slot_control], key_up);
}

TEST_F(KeyboardPoll, KeysWhoseCodesAreCharactersFillThoseSlots) {
  keys_down[vk_left] = true;  // code 37, the percent sign
  poll();
  EXPECT_EQ(keys.slots[key_slot_left], key_pressed);
  EXPECT_EQ(keys.slots[slot_of('%')], key_pressed);
  keys_down[vk_left] = false;

  keys = key_state{};
  keys_down[0x61] = true;  // keypad 1, code 97: lower-case a
  poll();
  EXPECT_EQ(keys.slots[slot_of('a')], key_pressed);
  keys_down[0x61] = false;

  keys = key_state{};
  keys_down[0x7F] = true;  // code 127 stands for backspace
  poll();
  EXPECT_EQ(keys.slots[key_slot_backspace], key_pressed);
}

TEST_F(KeyboardPoll, SpecialKeys) {
  keys_down[vk_space] = true;
  keys_down[vk_return] = true;
  keys_down[vk_up] = true;
  poll();
  EXPECT_EQ(keys.slots[key_slot_space], key_pressed);
  EXPECT_EQ(keys.slots[key_slot_return], key_pressed);
  EXPECT_EQ(keys.slots[key_slot_up], key_pressed);
  EXPECT_EQ(keys.slots[key_slot_down], key_up);
  // A reader consumed the press: it stays held, not pressed again.
  keys.slots[key_slot_down] = key_held;
  keys_down[vk_down] = true;
  poll();
  EXPECT_EQ(keys.slots[key_slot_down], key_held);
}

TEST_F(KeyboardPoll, ConsumedSlotOfAnUpKeyIsReleasedNextPoll) {
  keys.slots[slot_of('~')] = key_held;
  poll();
  EXPECT_EQ(keys.slots[slot_of('~')], key_released);
}

TEST(KeyCode, SlotsOfKeyCodes) {
  EXPECT_EQ(key_code_slot(32), key_slot_space);
  EXPECT_EQ(key_code_slot(128), key_slot_space);
  EXPECT_EQ(key_code_slot(33), 0);
  EXPECT_EQ(key_code_slot(126), 93);
  EXPECT_EQ(key_code_slot(127), key_slot_backspace);
  EXPECT_EQ(key_code_slot(132), key_slot_left);
  EXPECT_EQ(key_code_slot(134), key_slot_control);
  EXPECT_EQ(key_code_slot(31), -1);
  EXPECT_EQ(key_code_slot(0), -1);
  EXPECT_EQ(key_code_slot(135), -1);
  EXPECT_EQ(key_code_slot(255), -1);

  key_state keys{};
  keys.slots[key_slot_space] = key_held;
  EXPECT_EQ(key_code_value(keys, 32), key_held);
  EXPECT_EQ(key_code_value(keys, 128), key_held);
  EXPECT_EQ(key_code_value(keys, 200), key_up);
}

}  // namespace
