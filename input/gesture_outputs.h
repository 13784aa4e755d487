#pragma once

#include "control/command_catalogue.h"

namespace brontavel {

// Everything a recognised gesture can cause, in the order the recogniser asks for it.
class GestureOutputs {
 public:
  virtual ~GestureOutputs() = default;

  // Carries out the command bound to the gesture that fired, whatever its value.
  virtual void RunCommand(CommandId id) = 0;
  // Shows a short status text in the hidden control window's title.
  virtual void SetStatusTitle(const char* text) = 0;
  // Restarts the auto-repeat of the direction just taken: stop, then wait the repeat delay.
  virtual void StartRepeat() = 0;
  // Stops the auto-repeat; harmless when it is not running.
  virtual void StopRepeat() = 0;
};

}  // namespace brontavel
