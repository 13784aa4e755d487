#pragma once

#include <windows.h>

#include "platform/repeat_timer.h"

namespace brontavel {

// The repeat timer as a USER32 window timer (id 890) of the control window, with a callback, so its
// expiries go straight to the tick handler and never reach the window procedure.
class Win32RepeatTimer final : public RepeatTimer {
 public:
  using TickHandler = void (*)(void* context);

  Win32RepeatTimer(HWND window, TickHandler onTick, void* context);
  ~Win32RepeatTimer() override;

  void Arm(std::uint32_t periodMs) override;
  void Stop() override;

 private:
  static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

  HWND window_;
  TickHandler onTick_;
  void* context_;
};

}  // namespace brontavel
