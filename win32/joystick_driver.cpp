#include "win32/joystick_driver.h"

#include <string>

#include "win32/run_time_function.h"

namespace brontavel {
namespace {

HMODULE LoadSystemDriver() {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder) + "\\winmm.dll";
  return LoadLibraryA(path.c_str());
}

}  // namespace

JoystickDriver::JoystickDriver() {
  // Loaded for the whole run and never freed: the pad is read until the program ends.
  const HMODULE module = LoadSystemDriver();
  getPosEx_ = RunTimeFunction<decltype(getPosEx_)>(module, "joyGetPosEx");
  getDevCaps_ = RunTimeFunction<decltype(getDevCaps_)>(module, "joyGetDevCapsA");
  // A driver without one of them cannot be used as the program uses it: then there is no joystick.
  if (!getDevCaps_) getPosEx_ = nullptr;
}

bool JoystickDriver::Read(UINT id, PadReading& reading) const {
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS | JOY_RETURNPOV;
  if (!getPosEx_ || getPosEx_(id, &info) != JOYERR_NOERROR) return false;
  reading = {info.dwXpos, info.dwYpos, info.dwButtons, info.dwPOV};
  return true;
}

bool JoystickDriver::HasHat(UINT id) const {
  JOYCAPSA caps{};
  return getDevCaps_ && getDevCaps_(id, &caps, sizeof caps) == JOYERR_NOERROR && (caps.wCaps & JOYCAPS_HASPOV);
}

}  // namespace brontavel
