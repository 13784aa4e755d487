#pragma once

#include <cstdint>

#include "core/joystick_event.h"

namespace brontavel {

// Which of a pad's buttons is which.
//   Xbox: Windows' own Xbox driver reports every pad it drives, whatever its maker, with ten buttons
//   (A, B, X, Y, LB, RB, View, Menu, the stick presses) and both triggers on one Z axis. Where Windows
//   cannot say which driver runs a pad, only Microsoft's own with those ten buttons and Z count: a
//   generic twin-stick pad of ten buttons has its right stick on Z, no triggers there.
//   Other: PlayStation, Switch and generic pads, in the order of their own reports: shoulders, the
//   triggers as buttons, Back, Start, the stick presses; Z is the right stick there.
enum class PadLayout : unsigned char { Other, Xbox };

// Whether Windows' own Xbox driver runs a pad, where Windows can say (DirectInput tells it by the
// device's path; XInput serves only such pads).
enum class XboxDriver : unsigned char { Unknown, Yes, No };

// What Windows says a pad is: its USB vendor and product ids, how many buttons it has, a Z axis, and
// which driver runs it.
struct PadModel {
  std::uint16_t vendor = 0, product = 0;
  unsigned buttonCount = 0;
  bool hasZ = false;
  XboxDriver xboxDriver = XboxDriver::Unknown;
};

inline constexpr std::uint16_t kMicrosoftVendor = 0x045E, kSonyVendor = 0x054C, kNintendoVendor = 0x057E;

PadLayout LayoutOf(const PadModel& model);
// The names the pad's own maker gives its buttons; numbers for a pad of no known maker.
PadNames NamesOf(const PadModel& model);

// How a pad is read: whether it has a hat, which button is which, how many buttons it has (a button
// past them is never pressed), what its buttons are called, whether it has a Z axis (without one,
// whatever is read there is no trigger), and whether its triggers are read apart, not from Z.
struct PadShape {
  bool hasHat = false;
  PadLayout layout = PadLayout::Other;
  unsigned buttonCount = 32;
  PadNames names = PadNames::Numbered;
  bool hasZ = true;
  bool triggersApart = false;
};
inline PadShape ShapeOf(const PadModel& model, bool hasHat) {
  return {hasHat, LayoutOf(model), model.buttonCount, NamesOf(model), model.hasZ};
}

}  // namespace brontavel
