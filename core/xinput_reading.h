#pragma once

#include <cstdint>

#include "core/pad_layout.h"
#include "core/pad_reports.h"

namespace brontavel {

// An Xbox pad as XInput gives it (XINPUT_GAMEPAD): the buttons' bits, both triggers apart, the sticks
// from -32768 to 32767 with up positive.
struct XInputGamepad {
  std::uint16_t buttons = 0;
  std::uint8_t leftTrigger = 0, rightTrigger = 0;
  std::int16_t leftX = 0, leftY = 0, rightX = 0, rightY = 0;
};

// The bits of XINPUT_GAMEPAD's wButtons.
inline constexpr std::uint16_t kXInputDpadUp = 0x0001, kXInputDpadDown = 0x0002, kXInputDpadLeft = 0x0004,
                               kXInputDpadRight = 0x0008, kXInputStart = 0x0010, kXInputBack = 0x0020,
                               kXInputLeftThumb = 0x0040, kXInputRightThumb = 0x0080, kXInputLeftShoulder = 0x0100,
                               kXInputRightShoulder = 0x0200, kXInputA = 0x1000, kXInputB = 0x2000,
                               kXInputX = 0x4000, kXInputY = 0x8000;

// The same pad as Windows' Xbox driver shows it to the joystick driver, so that every edition's
// defaults, Fn, the pause chord and the pad's names hold whichever way it is read: the left stick at
// 0..65535 with up at 0, the D-pad as a hat (a diagonal is a corner), A, B, X, Y, LB, RB, View, Menu
// and the stick presses as buttons 1 to 10, and the triggers apart.
PadReading ReadingOf(const XInputGamepad& pad);

// An XInput pad is an Xbox pad, whoever made it: ten buttons, the D-pad as a hat, the triggers apart.
inline constexpr PadShape kXInputShape{true, PadLayout::Xbox, 10, PadNames::Xbox, false, true};

}  // namespace brontavel
