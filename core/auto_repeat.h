#pragma once

#include <cstdint>

#include "core/gesture_outputs.h"
#include "core/settings.h"

namespace brontavel {

// The one timer that drives the auto-repeat. Its expiries arrive through the thread's message loop,
// one at a time, at AutoRepeat::RepeatTick; an expiry that fell due while the thread was busy is
// delivered once, never made up for.
class RepeatTimer {
 public:
  virtual ~RepeatTimer() = default;

  // (Re)starts the timer so that it expires periodMs from now, then every periodMs until stopped.
  // The platform may bring the period into a range of its own (Windows: 10 ms to about 24.8 days).
  virtual void Arm(std::uint32_t periodMs) = 0;
  // No further expiry until the next Arm; harmless when not armed.
  virtual void Stop() = 0;
};

// Repeats the command of a held direction or trigger: once after the repeat delay, then at the repeat
// rate, until the hold ends. Each value is read when it is needed: the delay when a new
// direction starts, the rate and the binding at every tick, so changes made in the Options dialog
// take effect without a restart.
class AutoRepeat {
 public:
  AutoRepeat(RepeatTimer& timer, const Settings& settings, const GestureState& state, GestureOutputs& outputs)
      : timer_(timer), settings_(settings), state_(state), outputs_(outputs) {}

  // A new direction's or trigger's command has just run: wait the repeat delay, counted from now.
  void StartRepeat();
  // The gesture that repeats was let go.
  void StopRepeat() { timer_.Stop(); }
  // The timer expired: re-arm with the rate first, so the rate counts from the start of each tick
  // whatever the command's run time, then run the held direction's command again.
  void RepeatTick();

 private:
  RepeatTimer& timer_;
  const Settings& settings_;
  const GestureState& state_;
  GestureOutputs& outputs_;
};

}  // namespace brontavel
