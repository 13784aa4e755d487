#pragma once

#include <cstdint>

namespace brontavel {

// The one timer that drives the auto-repeat of a held direction. Its expiries arrive through the
// thread's message loop, one at a time, at the tick handler its implementation was given; an expiry
// that fell due while the thread was busy is delivered once, never made up for.
//
// Contract:
// - Arm: (re)starts the timer so that it expires periodMs milliseconds from now, and every periodMs
//   after that until it is stopped. The platform may bring a period into a range of its own
//   (Windows: 10 ms to about 24.8 days).
// - Stop: no further expiry until the next Arm; harmless when not armed.
class RepeatTimer {
 public:
  virtual ~RepeatTimer() = default;

  virtual void Arm(std::uint32_t periodMs) = 0;
  virtual void Stop() = 0;
};

}  // namespace brontavel
