#include "core/joystick_event.h"

namespace brontavel {

const char* JoystickEventLabel(int n, PadNames names) {
  static constexpr const char* kLabels[kFirstPadButtonEvent - 1] = {
      "Left",    "Right",   "Up",      "Down",       "Fn+Left",    "Fn+Right",   "Fn+Up",     "Fn+Down",
      "Button1", "Button2", "Button3", "Button4",    "Fn+Button1", "Fn+Button2", "Fn+Button3"};
  // Left and right shoulder, left and right trigger, Back, Start, left and right stick press.
  static constexpr const char* kPadButtonLabels[][kJoystickEventCount - kFirstPadButtonEvent + 1] = {
      {"Button5", "Button6", "Button7", "Button8", "Button9", "Button10", "Button11", "Button12"},
      {"LB", "RB", "LT", "RT", "View", "Menu", "Left stick press", "Right stick press"},
      {"L1", "R1", "L2", "R2", "Share", "Options", "L3", "R3"},
      {"L", "R", "ZL", "ZR", "Minus", "Plus", "Left stick press", "Right stick press"}};
  if (IsPadButtonEvent(n)) return kPadButtonLabels[static_cast<int>(names)][n - kFirstPadButtonEvent];
  return n >= 1 && n < kFirstPadButtonEvent ? kLabels[n - 1] : "";
}

}  // namespace brontavel
