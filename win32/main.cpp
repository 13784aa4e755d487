// The Windows entry point: start-up, then the message loop. The two globals below exist because
// Windows calls the control window's procedure and the repeat timer's callback without a context.

#include <windows.h>

#include "core/command_line.h"
#include "win32/app.h"
#include "win32/control_window.h"
#include "win32/start_with_windows.h"
#include "win32/startup.h"

namespace {

brontavel::App* g_app = nullptr;

LRESULT CALLBACK ControlWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_app) return DefWindowProcA(window, message, wParam, lParam);
  return brontavel::HandleControlMessage(*g_app, window, message, wParam, lParam);
}

void CALLBACK RepeatTimerExpired(HWND, UINT, UINT_PTR, DWORD) {
  if (g_app) g_app->repeat.RepeatTick();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  brontavel::App app(instance, &RepeatTimerExpired);
  g_app = &app;
  const bool atLogon = brontavel::HasSwitch(commandLine, brontavel::kAtLogonSwitch);
  if (!brontavel::StartUp(app, &ControlWindowProcedure, atLogon)) return 0;

  MSG message{};
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) break;  // only a bad window filter makes GetMessage fail, and there is none
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
