#include "win32/control_window.h"

#include <cstdlib>

#include "win32/app.h"
#include "win32/options_dialog.h"
#include "win32/tray.h"

namespace brontavel {
namespace {

constexpr const char* kClassName = "Brontavel";
constexpr const char* kTitle = "Brontavel";

void ShutDown(App& app) {
  StoreOpenOptions(app);
  RemoveTrayIcon(app);
  // DirectInput's device is let go before the window it was given, and no motor is left running.
  app.pads.Close();
  DestroyControlWindow(app);
  // The runtime's normal exit: exit handlers run and open streams are flushed.
  std::exit(0);
}

}  // namespace

void DestroyControlWindow(const App& app) {
  DestroyWindow(app.window);
  UnregisterClassA(kClassName, app.instance);
}

bool CreateControlWindow(App& app, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = app.instance;
  windowClass.hIcon = app.icon;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  // System colour 5; the window is never shown, so it is never painted.
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW));
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return false;
  app.window = CreateWindowExA(0, kClassName, kTitle, WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 160, 22, nullptr,
                               nullptr, app.instance, nullptr);
  if (!app.window) return false;
  ShowWindow(app.window, SW_HIDE);
  return true;
}

LRESULT HandleControlMessage(App& app, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_CLOSE:
      ShutDown(app);
      return 0;
    case WM_ENDSESSION:
      // Windows ends the program without a WM_CLOSE once this returns: what Options holds is kept now.
      if (wParam) StoreOpenOptions(app);
      return 0;
    case WM_COMMAND:
      OnMenuCommand(app, LOWORD(wParam));
      break;
    case kTrayCallbackMessage:
      OnTrayCallback(app, lParam);
      return 0;
    case WM_TIMER:
      app.pads.OnTimer(wParam);
      return 0;
    case WM_DEVICECHANGE:
      // A pad that wakes up or is plugged in shows up as a change of devices; one that goes is seen
      // by the next read.
      app.pads.Look();
      break;
    case WM_POWERBROADCAST:
      // A critical suspend (Windows 98, 2000 and XP on a flat battery) told no program before it
      // slept; its resume is a resume all the same.
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMECRITICAL)
        app.pads.Look();
      return TRUE;
    default:
      if (app.pads.OnMessage(message)) return 0;
      // The icon is the program's only presence: when the shell restarts, it must come back, or the
      // user could neither configure nor end the program.
      if (app.taskbarCreated != 0 && message == app.taskbarCreated) {
        RemoveTrayIcon(app);
        AddTrayIcon(app);
        return 0;
      }
      if (app.showYourself != 0 && message == app.showYourself) {
        ShowRunningNotice(app, RunningNotice::AlreadyRunning);
        return 0;
      }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace brontavel
