#pragma once

#include "core/command_catalogue.h"

namespace brontavel {

// The recogniser's memory between reports, shared with the auto-repeat.
struct GestureState {
  // The direction (1..8) the latest position report yielded, 0 when it yielded none.
  int LastDirection = 0;
  // Button 4 has served as Fn since it was last pressed alone, so its release is not a press.
  bool FnConsumed = false;
  // The held gesture whose command the repeat runs again: the newest held direction or trigger, 0
  // for none.
  int Repeating = 0;
};

// What a recognised gesture or a repeat causes beyond the recogniser's own state.
class GestureOutputs {
 public:
  virtual ~GestureOutputs() = default;

  // Carries out the command bound to the gesture that fired, whatever its value.
  virtual void RunCommand(CommandId id) = 0;
  // Shows a short status text in the hidden control window's title.
  virtual void SetStatusTitle(const char* text) = 0;
};

}  // namespace brontavel
