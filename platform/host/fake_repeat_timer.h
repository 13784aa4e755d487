#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/repeat_timer.h"

namespace brontavel {

// A repeat timer on a virtual clock: tests advance time instead of sleeping. Periods are brought
// into Windows' range (10 ms to 0x7FFFFFFF ms) as SetTimer does. Expiries are delivered one at a
// time to the tick handler, in time order, and never made up for.
class FakeRepeatTimer final : public RepeatTimer {
 public:
  static constexpr std::uint32_t kMinimumPeriod = 10;
  static constexpr std::uint32_t kMaximumPeriod = 0x7FFFFFFF;

  void SetTickHandler(std::function<void()> onTick) { onTick_ = std::move(onTick); }

  void Arm(std::uint32_t periodMs) override;
  void Stop() override;

  // Moves the clock forward by ms, running every expiry that falls due on the way.
  void Advance(std::uint64_t ms);

  std::uint64_t Now() const { return now_; }
  bool IsArmed() const { return armed_; }
  std::uint32_t Period() const { return period_; }
  // The times at which ticks were delivered.
  const std::vector<std::uint64_t>& TickTimes() const { return tickTimes_; }

 private:
  std::function<void()> onTick_;
  std::uint64_t now_ = 0;
  std::uint64_t due_ = 0;
  std::uint32_t period_ = 0;
  bool armed_ = false;
  std::vector<std::uint64_t> tickTimes_;
};

}  // namespace brontavel
