#include "platform/host/fake_repeat_timer.h"

#include <algorithm>

namespace brontavel {

void FakeRepeatTimer::Arm(std::uint32_t periodMs) {
  period_ = std::clamp(periodMs, kMinimumPeriod, kMaximumPeriod);
  due_ = now_ + period_;
  armed_ = true;
}

void FakeRepeatTimer::Stop() { armed_ = false; }

void FakeRepeatTimer::Advance(std::uint64_t ms) {
  const std::uint64_t end = now_ + ms;
  while (armed_ && due_ <= end) {
    now_ = due_;
    // A Windows timer goes on firing every period until it is killed.
    due_ = now_ + period_;
    tickTimes_.push_back(now_);
    if (onTick_) onTick_();
  }
  now_ = end;
}

}  // namespace brontavel
