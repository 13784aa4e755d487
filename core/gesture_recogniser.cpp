#include "core/gesture_recogniser.h"

#include <cstring>

namespace brontavel {
namespace {

// The outer zones are strict and the band on the other axis excludes both edges, so 5000 and 60000
// on either axis never yield a direction, and neither does a diagonal push.
constexpr unsigned kLowEdge = 5000;
constexpr unsigned kHighEdge = 60000;

constexpr bool InBand(unsigned v) { return v > kLowEdge && v < kHighEdge; }

struct ButtonDownRow {
  std::uintptr_t value;
  JoystickEvent event;
  const char* title;
};

// A press counts only when it is the one button that changed and no other button but the Fn
// button 4 is held; the whole report must equal a row.
constexpr ButtonDownRow kButtonDownRows[] = {
    {kJoyButton1Changed | kJoyButton1, JoystickEvent::Button1, "Button 1 pressed"},
    {kJoyButton1Changed | kJoyButton1 | kJoyButton4, JoystickEvent::FnButton1, "Button 1 & 4 pressed"},
    {kJoyButton2Changed | kJoyButton2, JoystickEvent::Button2, "Button 2 pressed"},
    {kJoyButton2Changed | kJoyButton2 | kJoyButton4, JoystickEvent::FnButton2, "Button 2 & 4 pressed"},
    {kJoyButton3Changed | kJoyButton3, JoystickEvent::Button3, "Button 3 pressed"},
    {kJoyButton3Changed | kJoyButton3 | kJoyButton4, JoystickEvent::FnButton3, "Button 3 & 4 pressed"},
};

constexpr std::uintptr_t kButton4PressedAlone = kJoyButton4Changed | kJoyButton4;
constexpr std::uintptr_t kButton4ReleasedAlone = kJoyButton4Changed;
constexpr const char* kOtherButtonTitle = "button pressed";
constexpr const char* kButton4Title = "Button 4 pressed";

constexpr bool IsFnEvent(JoystickEvent event) {
  return event >= JoystickEvent::FnButton1 && event <= JoystickEvent::FnButton3;
}

}  // namespace

int GestureRecogniser::ClassifyMove(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y) {
  int family = 0;
  if (buttons == kJoyButton4) {
    state_.FnConsumed = true;
    family = EventNumber(JoystickEvent::FnLeft) - EventNumber(JoystickEvent::Left);
  }
  int direction = 0;
  if (x < kLowEdge && InBand(y)) {
    direction = EventNumber(JoystickEvent::Left);
  } else if (x > kHighEdge && InBand(y)) {
    direction = EventNumber(JoystickEvent::Right);
  } else if (y < kLowEdge && InBand(x)) {
    direction = EventNumber(JoystickEvent::Up);
  } else if (y > kHighEdge && InBand(x)) {
    direction = EventNumber(JoystickEvent::Down);
  }
  return direction == 0 ? 0 : direction + family;
}

void GestureRecogniser::HandleMoveReport(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y) {
  const int direction = ClassifyMove(buttons, x, y);
  if (direction == 0) {
    // A trigger held since the direction was taken owns the repeat now, and goes on.
    if (!IsPadButtonEvent(state_.Repeating)) {
      repeat_.StopRepeat();
      state_.Repeating = 0;
    }
    state_.LastDirection = 0;
    return;
  }
  // With change-only reporting a held stick that wobbles within its zone sends more reports; they
  // must neither run the command again nor restart the repeat's timing.
  if (direction == state_.LastDirection) return;
  state_.LastDirection = direction;
  if (!MayRun()) {
    repeat_.StopRepeat();
    state_.Repeating = 0;
    return;
  }
  state_.Repeating = direction;
  outputs_.RunCommand(assignments_[direction]);
  repeat_.StartRepeat();
}

void GestureRecogniser::HandlePadButtonDown(std::uintptr_t value) {
  const int gesture = static_cast<int>(value & 0xFF);
  if (!IsPadButtonEvent(gesture)) return;
  char title[40] = {};
  std::strncat(title, JoystickEventLabel(gesture, names_), sizeof title - 10);
  std::strcat(title, " pressed");
  outputs_.SetStatusTitle(title);
  // With button 4 held each runs its own command all the same, and button 4 has served as Fn.
  const bool fnHeld = ((value >> 8) & kJoyButton4) != 0;
  if (fnHeld) state_.FnConsumed = true;
  // Fn, then Start: the pad's own way to put the remote down for a game and take it up again. Start
  // first, then button 4, is Start as ever.
  if (fnHeld && gesture == EventNumber(JoystickEvent::Start)) {
    // Inside a game the game takes these buttons: left paused there, the remote would be found dead.
    if (outputs_.GameHasTheScreen()) return;
    SetPaused(!state_.Paused);
    outputs_.PausedFromThePad(state_.Paused);
    return;
  }
  if (!MayRun()) return;
  const bool repeats = IsRepeatingEvent(gesture);
  if (repeats) state_.Repeating = gesture;
  outputs_.RunCommand(assignments_[gesture]);
  if (repeats) repeat_.StartRepeat();
}

void GestureRecogniser::HandlePadButtonUp(std::uintptr_t value) {
  if (state_.Repeating != static_cast<int>(value & 0xFF)) return;
  repeat_.StopRepeat();
  state_.Repeating = 0;
}

void GestureRecogniser::HandleButtonDown(std::uintptr_t value) {
  for (const ButtonDownRow& row : kButtonDownRows) {
    if (row.value != value) continue;
    outputs_.SetStatusTitle(row.title);
    if (IsFnEvent(row.event)) state_.FnConsumed = true;
    Fire(row.event);
    return;
  }
  // Button 4 fires on its release, not here: while held it may yet turn out to be the Fn modifier.
  if (value == kButton4PressedAlone) state_.FnConsumed = false;
  outputs_.SetStatusTitle(kOtherButtonTitle);
}

void GestureRecogniser::HandleButtonUp(std::uintptr_t value) {
  if (value != kButton4ReleasedAlone || state_.FnConsumed) return;
  outputs_.SetStatusTitle(kButton4Title);
  Fire(JoystickEvent::Button4);
}

void GestureRecogniser::Handle(const PadReport& report) {
  switch (report.kind) {
    case ReportKind::Move:
      HandleMoveReport(report.value, report.x, report.y);
      return;
    case ReportKind::ButtonDown:
      HandleButtonDown(report.value);
      return;
    case ReportKind::ButtonUp:
      HandleButtonUp(report.value);
      return;
    case ReportKind::PadButtonDown:
      HandlePadButtonDown(report.value);
      return;
    case ReportKind::PadButtonUp:
      HandlePadButtonUp(report.value);
      return;
  }
}

void GestureRecogniser::SetPaused(bool paused) {
  state_.Paused = paused;
  repeat_.StopRepeat();
  state_.Repeating = 0;
}

void GestureRecogniser::Rest() {
  repeat_.StopRepeat();
  state_.LastDirection = 0;
  state_.Repeating = 0;
  state_.FnConsumed = true;
}

}  // namespace brontavel
