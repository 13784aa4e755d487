#include "platform/win32/win32_joystick.h"

#include <mmsystem.h>

namespace brontavel {

unsigned Win32Joystick::DeviceCount() { return joyGetNumDevs(); }

bool Win32Joystick::Capture(unsigned periodMs, bool changesOnly) {
  return joySetCapture(owner_.hwnd(), JOYSTICKID1, periodMs, changesOnly ? TRUE : FALSE) == JOYERR_NOERROR;
}

void Win32Joystick::SetThreshold(unsigned units) { joySetThreshold(JOYSTICKID1, units); }

}  // namespace brontavel
