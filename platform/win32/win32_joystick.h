#pragma once

#include "platform/joystick.h"
#include "platform/win32/win32_control_window.h"

namespace brontavel {

// Joystick 1 through WINMM, captured for the control window.
class Win32Joystick final : public Joystick {
 public:
  explicit Win32Joystick(const Win32ControlWindow& owner) : owner_(owner) {}

  unsigned DeviceCount() override;
  bool Capture(unsigned periodMs, bool changesOnly) override;
  void SetThreshold(unsigned units) override;

 private:
  const Win32ControlWindow& owner_;
};

}  // namespace brontavel
