#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "core/pad_reports.h"

namespace brontavel {

// What a pad is: whether it has a hat and says it in hundredths of a degree, and which make and
// model it is (its USB vendor and product ids, which stay the same at whatever number it answers,
// its buttons and whether it has a Z axis).
struct PadCaps {
  bool hasHat = false;
  bool hatInHundredths = false;
  PadModel model;

  PadShape Shape() const { return ShapeOf(model, hasHat); }
};

// Joysticks 1..16 through Windows' own multimedia joystick driver, by its 0-based ids. winmm.dll is
// not one of Windows' known DLLs, so an import of it would be looked for in the program's own folder
// first, where anything a browser downloaded may lie beside the program. It is loaded instead by its
// full path in the system folder, and its functions are looked up by name. Without it, or without
// any of the functions, there is no joystick: every call fails.
class JoystickDriver {
 public:
  static constexpr UINT kMaxJoysticks = 16;

  JoystickDriver();
  JoystickDriver(const JoystickDriver&) = delete;
  JoystickDriver& operator=(const JoystickDriver&) = delete;

  // The stick, the buttons, the hat and the Z axis of joystick id, the hat asked for as caps says it
  // can tell it; false when it does not answer (unplugged, asleep, or no such joystick).
  bool Read(UINT id, const PadCaps& caps, PadReading& reading) const;
  // Whether joystick id answers at all.
  bool Answers(UINT id) const {
    PadReading ignored;
    return Read(id, PadCaps{}, ignored);
  }
  // What joystick id is. Some drivers take long to say: asked only when a pad may be taken.
  bool Caps(UINT id, PadCaps& caps) const;

 private:
  decltype(&joyGetPosEx) getPosEx_ = nullptr;
  decltype(&joyGetDevCapsA) getDevCaps_ = nullptr;
};

}  // namespace brontavel
