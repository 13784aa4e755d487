#pragma once

namespace brontavel {

// The fifteen gestures, numbered as the Options dialog lists them (list line p is gesture p + 1) and
// as the settings file stores their bindings (C1..C15).
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
};
inline constexpr int kJoystickEventCount = 15;
// Gestures 1..8 are stick directions, the only ones that repeat while held.
inline constexpr int kLastDirectionEvent = 8;

constexpr int EventNumber(JoystickEvent event) { return static_cast<int>(event); }
constexpr bool IsDirectionEvent(int n) { return n >= 1 && n <= kLastDirectionEvent; }

// The label of gesture n (1..15) as the Options dialog shows it; "" for any other n.
const char* JoystickEventLabel(int n);

}  // namespace brontavel
