#include "core/joystick_event.h"

namespace brontavel {

const char* JoystickEventLabel(int n) {
  static constexpr const char* kLabels[kJoystickEventCount] = {
      "Left",    "Right",   "Up",      "Down",       "Fn+Left",    "Fn+Right",   "Fn+Up",     "Fn+Down",
      "Button1", "Button2", "Button3", "Button4",    "Fn+Button1", "Fn+Button2", "Fn+Button3"};
  return n >= 1 && n <= kJoystickEventCount ? kLabels[n - 1] : "";
}

}  // namespace brontavel
