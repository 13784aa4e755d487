#include "core/xinput_reading.h"

namespace brontavel {
namespace {

// Windows' Xbox driver numbers the buttons in this order.
constexpr std::uint16_t kButtonOrder[10] = {kXInputA,           kXInputB,          kXInputX,         kXInputY,
                                            kXInputLeftShoulder, kXInputRightShoulder, kXInputBack,  kXInputStart,
                                            kXInputLeftThumb,    kXInputRightThumb};

// Up, right, down and left pressed at once cancel out in pairs, as no hand can press both.
std::uint32_t HatOf(std::uint16_t buttons) {
  const int right = (buttons & kXInputDpadRight ? 1 : 0) - (buttons & kXInputDpadLeft ? 1 : 0);
  const int down = (buttons & kXInputDpadDown ? 1 : 0) - (buttons & kXInputDpadUp ? 1 : 0);
  // In hundredths of a degree clockwise from up, by [down + 1][right + 1].
  static constexpr std::uint32_t kHat[3][3] = {{31500, 0, 4500}, {27000, kHatCentred, 9000}, {22500, 18000, 13500}};
  return kHat[down + 1][right + 1];
}

}  // namespace

PadReading ReadingOf(const XInputGamepad& pad) {
  PadReading reading;
  // Unsigned, so that the extremes turn without overflow: -32768 is 0, 32767 is 65535.
  reading.x = static_cast<std::uint16_t>(pad.leftX) ^ 0x8000u;
  reading.y = 0xFFFFu - (static_cast<std::uint16_t>(pad.leftY) ^ 0x8000u);
  for (unsigned i = 0; i < 10; ++i)
    if (pad.buttons & kButtonOrder[i]) reading.buttons |= 1u << i;
  reading.hat = HatOf(pad.buttons);
  reading.leftTrigger = pad.leftTrigger;
  reading.rightTrigger = pad.rightTrigger;
  return reading;
}

}  // namespace brontavel
