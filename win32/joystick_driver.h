#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "core/pad_reports.h"

namespace brontavel {

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

  // The stick, the buttons and the hat of joystick id; false when it does not answer (unplugged,
  // asleep, or no such joystick).
  bool Read(UINT id, PadReading& reading) const;
  // Whether joystick id has a hat. Some drivers take long to say: asked only when a pad is taken.
  bool HasHat(UINT id) const;

 private:
  decltype(&joyGetPosEx) getPosEx_ = nullptr;
  decltype(&joyGetDevCapsA) getDevCaps_ = nullptr;
};

}  // namespace brontavel
