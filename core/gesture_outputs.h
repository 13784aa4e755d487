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
  // The user has put the remote down (for a game): gestures run nothing until it is taken up again.
  // Never kept between runs, so a remote is never found dead after a restart.
  bool Paused = false;
};

// What a recognised gesture or a repeat causes beyond the recogniser's own state.
class GestureOutputs {
 public:
  virtual ~GestureOutputs() = default;

  // Carries out the command bound to the gesture that fired, whatever its value.
  virtual void RunCommand(CommandId id) = 0;
  // Shows a short status text in the hidden control window's title.
  virtual void SetStatusTitle(const char* text) = 0;
  // Whether a game or a presentation has the whole screen now, so that the pad is the game's. Asked
  // as a gesture fires: a game can start or end at any moment, and asking costs nothing at rest.
  virtual bool GameHasTheScreen() = 0;
  // The pad's own chord paused or resumed the remote: the user is across the room, and wants to see
  // that it took.
  virtual void PausedFromThePad(bool paused) = 0;
};

}  // namespace brontavel
