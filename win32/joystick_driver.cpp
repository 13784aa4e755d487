#include "win32/joystick_driver.h"

#include "win32/run_time_function.h"

namespace brontavel {

JoystickDriver::JoystickDriver() {
  // Loaded for the whole run and never freed: the pad is read until the program ends.
  const HMODULE module = LoadFromSystemFolder("winmm.dll");
  getPosEx_ = RunTimeFunction<decltype(getPosEx_)>(module, "joyGetPosEx");
  getDevCaps_ = RunTimeFunction<decltype(getDevCaps_)>(module, "joyGetDevCapsA");
  // A driver without one of them cannot be used as the program uses it: then there is no joystick.
  if (!getDevCaps_) getPosEx_ = nullptr;
}

bool JoystickDriver::Read(UINT id, const PadCaps& caps, PadReading& reading) const {
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  // Asked for in "discrete units", a hat may say only its four directions, and a diagonal would read
  // as one of them; in hundredths a diagonal is the corner no direction takes, as it should be.
  info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNZ | JOY_RETURNBUTTONS | JOY_RETURNPOV |
                 (caps.hatInHundredths ? JOY_RETURNPOVCTS : 0);
  if (!getPosEx_ || getPosEx_(id, &info) != JOYERR_NOERROR) return false;
  reading = {info.dwXpos, info.dwYpos, info.dwButtons, info.dwPOV, info.dwZpos};
  return true;
}

bool JoystickDriver::Caps(UINT id, PadCaps& caps) const {
  JOYCAPSA answer{};
  if (!getDevCaps_ || getDevCaps_(id, &answer, sizeof answer) != JOYERR_NOERROR) return false;
  caps.hasHat = (answer.wCaps & JOYCAPS_HASPOV) != 0;
  caps.hatInHundredths = (answer.wCaps & JOYCAPS_POVCTS) != 0;
  // Windows' driver (and Wine's, from DIPROP_VIDPID) gives the USB vendor and product ids here.
  caps.model = {answer.wMid, answer.wPid, answer.wNumButtons, (answer.wCaps & JOYCAPS_HASZ) != 0};
  return true;
}

}  // namespace brontavel
