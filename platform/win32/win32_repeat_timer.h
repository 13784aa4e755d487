#pragma once

#include "platform/repeat_timer.h"
#include "platform/win32/win32_control_window.h"

namespace brontavel {

// The repeat timer as a USER32 window timer (id 890) of the control window. Its expiries go through
// the message loop straight to the callback, never to the window procedure.
class Win32RepeatTimer final : public RepeatTimer {
 public:
  Win32RepeatTimer(const Win32ControlWindow& owner, TIMERPROC onTick) : owner_(owner), onTick_(onTick) {}

  void Arm(std::uint32_t periodMs) override;
  void Stop() override;

 private:
  const Win32ControlWindow& owner_;
  TIMERPROC onTick_;
};

}  // namespace brontavel
