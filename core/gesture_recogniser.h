#pragma once

#include <cstdint>

#include "core/auto_repeat.h"
#include "core/gesture_outputs.h"
#include "core/pad_reports.h"
#include "core/settings.h"

namespace brontavel {

// The joystick driver's button bits: held buttons in bits 0..3, and in a button report the buttons
// that changed in bits 8..11.
inline constexpr unsigned kJoyButton1 = 0x1;
inline constexpr unsigned kJoyButton2 = 0x2;
inline constexpr unsigned kJoyButton3 = 0x4;
inline constexpr unsigned kJoyButton4 = 0x8;
inline constexpr unsigned kJoyButton1Changed = 0x100;
inline constexpr unsigned kJoyButton2Changed = 0x200;
inline constexpr unsigned kJoyButton3Changed = 0x400;
inline constexpr unsigned kJoyButton4Changed = 0x800;

// Turns the driver's position and button reports into gestures and runs each gesture's command.
// It owns nothing: the state, the bindings, the repeat and the outputs belong to the program.
class GestureRecogniser {
 public:
  GestureRecogniser(GestureState& state, const EventAssignmentTable& assignments, AutoRepeat& repeat,
                    GestureOutputs& outputs)
      : state_(state), assignments_(assignments), repeat_(repeat), outputs_(outputs) {}

  // The direction (1..8) of a stick position, or 0. Only-button-4-held marks Fn as used, whatever the
  // position, and picks the Fn family (5..8).
  int ClassifyMove(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y);

  void HandleMoveReport(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y);
  void HandleButtonDown(std::uintptr_t value);
  void HandleButtonUp(std::uintptr_t value);
  // A shoulder, a trigger, Back, Start or a stick press (gestures 16..23) pressed or let go; value
  // as a PadButtonDown or PadButtonUp report has it.
  void HandlePadButtonDown(std::uintptr_t value);
  void HandlePadButtonUp(std::uintptr_t value);
  // Hands a report to the handler of its kind.
  void Handle(const PadReport& report);

  // The pad went away: no report will say that the stick came back or a button went up. Stops the
  // repeat and forgets the held direction without running anything. A button 4 held as the pad went
  // must not fire when its release is seen later without its press.
  void Rest();

  // Puts the remote down or takes it up again. A held direction or trigger stops repeating, and
  // gestures begun while paused stay unrun after it.
  void SetPaused(bool paused);

  // The names the pad in use gives its buttons, for the status line.
  void SetPadNames(PadNames names) { names_ = names; }

 private:
  // Whether a gesture may run its command now: not while paused, nor while a game has the screen.
  bool MayRun() { return !state_.Paused && !outputs_.GameHasTheScreen(); }
  void Fire(JoystickEvent event) {
    if (MayRun()) outputs_.RunCommand(assignments_[EventNumber(event)]);
  }

  GestureState& state_;
  const EventAssignmentTable& assignments_;
  AutoRepeat& repeat_;
  GestureOutputs& outputs_;
  PadNames names_ = PadNames::Numbered;
};

}  // namespace brontavel
