#include "platform/win32/win32_repeat_timer.h"

namespace brontavel {
namespace {

constexpr UINT_PTR kRepeatTimerId = 890;

}  // namespace

// Setting a timer that is already set restarts it with the new period.
void Win32RepeatTimer::Arm(std::uint32_t periodMs) { SetTimer(owner_.hwnd(), kRepeatTimerId, periodMs, onTick_); }

void Win32RepeatTimer::Stop() { KillTimer(owner_.hwnd(), kRepeatTimerId); }

}  // namespace brontavel
