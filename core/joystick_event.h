#pragma once

namespace brontavel {

// The gestures, numbered as the Options dialog lists them (list line p is gesture p + 1) and as the
// settings file stores their bindings (C1..C23): the stick's or the D-pad's four directions alone and
// with Fn (button 4 held), buttons 1-4, buttons 1-3 with Fn, and then the buttons of today's pads.
enum class JoystickEvent : int {
  Left = 1,
  Right,
  Up,
  Down,
  FnLeft,
  FnRight,
  FnUp,
  FnDown,
  Button1,
  Button2,
  Button3,
  Button4,
  FnButton1,
  FnButton2,
  FnButton3,
  LeftShoulder,
  RightShoulder,
  LeftTrigger,
  RightTrigger,
  Back,
  Start,
  LeftStickPress,
  RightStickPress,
};
inline constexpr int kJoystickEventCount = 23;
// Gestures 1..8 are stick directions; they and the two triggers repeat while held.
inline constexpr int kLastDirectionEvent = 8;
inline constexpr int kFirstPadButtonEvent = 16;

constexpr int EventNumber(JoystickEvent event) { return static_cast<int>(event); }
constexpr bool IsDirectionEvent(int n) { return n >= 1 && n <= kLastDirectionEvent; }
constexpr bool IsPadButtonEvent(int n) { return n >= kFirstPadButtonEvent && n <= kJoystickEventCount; }
constexpr bool IsRepeatingEvent(int n) {
  return IsDirectionEvent(n) || n == EventNumber(JoystickEvent::LeftTrigger) ||
         n == EventNumber(JoystickEvent::RightTrigger);
}

// How a pad names its shoulders, triggers, Back and Start and stick presses.
enum class PadNames : unsigned char { Numbered, Xbox, PlayStation, Switch };

// The label of gesture n as the Options dialog shows it: buttons 1-4 with the pad's own name beside
// their number, gestures 16..23 by the pad's own names; "" for any other n.
const char* JoystickEventLabel(int n, PadNames names = PadNames::Numbered);

}  // namespace brontavel
