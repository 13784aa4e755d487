#pragma once

#include <windows.h>
#include <mmsystem.h>

namespace brontavel {

// Joystick 1 through Windows' own multimedia joystick driver. winmm.dll is not one of Windows'
// known DLLs, so an import of it would be looked for in the program's own folder first, where
// anything a browser downloaded may lie beside the program. It is loaded instead by its full path
// in the system folder, and its functions are looked up by name. Without it, or without any of the
// functions, there is no joystick: every call fails.
class JoystickDriver {
 public:
  JoystickDriver();
  JoystickDriver(const JoystickDriver&) = delete;
  JoystickDriver& operator=(const JoystickDriver&) = delete;

  // How many joysticks the driver supports; asking also lets it look for them.
  UINT DeviceCount() const { return getNumDevs_ ? getNumDevs_() : 0; }
  // Joystick 1's reports go to window, polled every periodMs, position reports only on a change.
  bool Capture(HWND window, UINT periodMs) const;
  void SetThreshold(UINT threshold) const;
  // Harmless when nothing is captured.
  void ReleaseCapture() const;
  // Whether joystick 1 answers now: a pad that was unplugged or switched itself off does not.
  bool Present() const;

 private:
  decltype(&joyGetNumDevs) getNumDevs_ = nullptr;
  decltype(&joySetCapture) setCapture_ = nullptr;
  decltype(&joySetThreshold) setThreshold_ = nullptr;
  decltype(&joyReleaseCapture) releaseCapture_ = nullptr;
  decltype(&joyGetPosEx) getPosEx_ = nullptr;
};

}  // namespace brontavel
