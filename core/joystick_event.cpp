#include "core/joystick_event.h"

namespace brontavel {

namespace {

constexpr int kFirstButtonEvent = static_cast<int>(JoystickEvent::Button1);

// Buttons 1-4 and 1-3 with Fn keep the label the settings file and older guides know, and add the
// name printed on the pad: a Switch pad's A is button 2, where an Xbox pad's is button 1.
constexpr const char* kButtonLabels[][kFirstPadButtonEvent - kFirstButtonEvent] = {
    {"Button1", "Button2", "Button3", "Button4", "Fn+Button1", "Fn+Button2", "Fn+Button3"},
    {"Button1 (A)", "Button2 (B)", "Button3 (X)", "Button4 (Y)", "Fn+Button1 (Fn+A)", "Fn+Button2 (Fn+B)",
     "Fn+Button3 (Fn+X)"},
    {"Button1 (Square)", "Button2 (Cross)", "Button3 (Circle)", "Button4 (Triangle)", "Fn+Button1 (Fn+Square)",
     "Fn+Button2 (Fn+Cross)", "Fn+Button3 (Fn+Circle)"},
    {"Button1 (B)", "Button2 (A)", "Button3 (Y)", "Button4 (X)", "Fn+Button1 (Fn+B)", "Fn+Button2 (Fn+A)",
     "Fn+Button3 (Fn+Y)"}};

}  // namespace

const char* JoystickEventLabel(int n, PadNames names) {
  static constexpr const char* kDirectionLabels[kFirstButtonEvent - 1] = {
      "Left", "Right", "Up", "Down", "Fn+Left", "Fn+Right", "Fn+Up", "Fn+Down"};
  // Left and right shoulder, left and right trigger, Back, Start, left and right stick press.
  static constexpr const char* kPadButtonLabels[][kJoystickEventCount - kFirstPadButtonEvent + 1] = {
      {"Button5", "Button6", "Button7", "Button8", "Button9", "Button10", "Button11", "Button12"},
      {"LB", "RB", "LT", "RT", "View", "Menu", "Left stick press", "Right stick press"},
      {"L1", "R1", "L2", "R2", "Share", "Options", "L3", "R3"},
      {"L", "R", "ZL", "ZR", "Minus", "Plus", "Left stick press", "Right stick press"}};
  if (IsPadButtonEvent(n)) return kPadButtonLabels[static_cast<int>(names)][n - kFirstPadButtonEvent];
  if (n >= kFirstButtonEvent && n < kFirstPadButtonEvent) return kButtonLabels[static_cast<int>(names)][n - kFirstButtonEvent];
  return n >= 1 && n < kFirstButtonEvent ? kDirectionLabels[n - 1] : "";
}

}  // namespace brontavel
