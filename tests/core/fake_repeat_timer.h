#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/auto_repeat.h"

namespace brontavel::test {

// A repeat timer on a virtual clock: tests advance time instead of sleeping. Periods are brought
// into Windows' range (10 ms to 0x7FFFFFFF ms) as SetTimer does. Expiries are delivered one at a
// time to the tick handler, in time order, and never made up for.
class FakeRepeatTimer final : public RepeatTimer {
 public:
  static constexpr std::uint32_t kMinimumPeriod = 10, kMaximumPeriod = 0x7FFFFFFF;

  std::function<void()> onTick;

  void Arm(std::uint32_t periodMs) override {
    period_ = std::clamp(periodMs, kMinimumPeriod, kMaximumPeriod);
    due_ = now_ + period_;
    armed_ = true;
  }
  void Stop() override { armed_ = false; }

  // Moves the clock forward by ms, running every expiry that falls due on the way.
  void Advance(std::uint64_t ms) {
    const std::uint64_t end = now_ + ms;
    while (armed_ && due_ <= end) {
      now_ = due_;
      due_ = now_ + period_;  // a Windows timer goes on firing every period until it is killed
      ticks.push_back(now_);
      if (onTick) onTick();
    }
    now_ = end;
  }

  std::uint64_t Now() const { return now_; }
  bool IsArmed() const { return armed_; }
  std::uint32_t Period() const { return period_; }
  std::vector<std::uint64_t> ticks;  // when each expiry was delivered

 private:
  std::uint64_t now_ = 0, due_ = 0;
  std::uint32_t period_ = 0;
  bool armed_ = false;
};

}  // namespace brontavel::test
