#include "platform/win32/win32_repeat_timer.h"

namespace brontavel {
namespace {

constexpr UINT_PTR kRepeatTimerId = 890;

// A timer callback gets no context of its own, and there is only ever one repeat timer.
Win32RepeatTimer* g_activeTimer = nullptr;

}  // namespace

Win32RepeatTimer::Win32RepeatTimer(HWND window, TickHandler onTick, void* context)
    : window_(window), onTick_(onTick), context_(context) {
  g_activeTimer = this;
}

Win32RepeatTimer::~Win32RepeatTimer() {
  Stop();
  if (g_activeTimer == this) g_activeTimer = nullptr;
}

void Win32RepeatTimer::Arm(std::uint32_t periodMs) { SetTimer(window_, kRepeatTimerId, periodMs, &OnTimer); }

void Win32RepeatTimer::Stop() { KillTimer(window_, kRepeatTimerId); }

void CALLBACK Win32RepeatTimer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (id == kRepeatTimerId && g_activeTimer) g_activeTimer->onTick_(g_activeTimer->context_);
}

}  // namespace brontavel
