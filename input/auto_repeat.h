#pragma once

#include "config/settings.h"
#include "control/command_actions.h"
#include "input/gesture_recogniser.h"
#include "platform/repeat_timer.h"

namespace brontavel {

// Repeats the command of a held direction: once after the repeat delay, then at the repeat rate,
// until a position report ends the hold. Each value is read when it is needed: the delay when a new
// direction starts, the rate and the binding at every tick, so changes made in the Options dialog
// take effect without a restart.
class AutoRepeat {
 public:
  AutoRepeat(RepeatTimer& timer, const Settings& settings, const GestureState& gestures, CommandActions& actions)
      : timer_(timer), settings_(settings), gestures_(gestures), actions_(actions) {}

  // A new direction's command has just run: wait the repeat delay, counted from now.
  void StartRepeat();
  // The stick has left every zone.
  void StopRepeat();
  // The timer expired: re-arm with the rate first, so the rate counts from the start of each tick
  // whatever the command's run time, then run the held direction's command again.
  void RepeatTick();

 private:
  RepeatTimer& timer_;
  const Settings& settings_;
  const GestureState& gestures_;
  CommandActions& actions_;
};

}  // namespace brontavel
