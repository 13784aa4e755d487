#include "win32/joystick_driver.h"

#include <string>

#include "win32/run_time_function.h"

namespace brontavel {
namespace {

template <typename Function>
void LookUp(HMODULE module, const char* name, Function& function) {
  function = RunTimeFunction<Function>(module, name);
}

HMODULE LoadSystemDriver() {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder) + "\\winmm.dll";
  return LoadLibraryA(path.c_str());
}

}  // namespace

JoystickDriver::JoystickDriver() {
  // Loaded for the whole run and never freed: the reports it posts need it until the program ends.
  const HMODULE module = LoadSystemDriver();
  LookUp(module, "joyGetNumDevs", getNumDevs_);
  LookUp(module, "joySetCapture", setCapture_);
  LookUp(module, "joySetThreshold", setThreshold_);
  LookUp(module, "joyReleaseCapture", releaseCapture_);
  LookUp(module, "joyGetPosEx", getPosEx_);
  // A driver without one of them cannot be used as the program uses it: then there is no joystick.
  if (!getNumDevs_ || !setCapture_ || !setThreshold_ || !releaseCapture_ || !getPosEx_) setCapture_ = nullptr;
}

bool JoystickDriver::Capture(HWND window, UINT periodMs) const {
  return setCapture_ && setCapture_(window, JOYSTICKID1, periodMs, TRUE) == JOYERR_NOERROR;
}

void JoystickDriver::SetThreshold(UINT threshold) const {
  if (setThreshold_) setThreshold_(JOYSTICKID1, threshold);
}

void JoystickDriver::ReleaseCapture() const {
  if (releaseCapture_) releaseCapture_(JOYSTICKID1);
}

bool JoystickDriver::Present() const {
  JOYINFOEX position{};
  position.dwSize = sizeof position;
  position.dwFlags = JOY_RETURNALL;
  return getPosEx_ && getPosEx_(JOYSTICKID1, &position) == JOYERR_NOERROR;
}

}  // namespace brontavel
