// The Windows entry point: it builds the Win32 adapters and the application, runs start-up and the
// message loop, and hands every callback Windows makes to the application.

#include <windows.h>

#include <cstdlib>

#include "app/application.h"
#include "platform/win32/win32_control_window.h"
#include "platform/win32/win32_desktop_shell.h"
#include "platform/win32/win32_dialog_controls.h"
#include "platform/win32/win32_joystick.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_modal_dialogs.h"
#include "platform/win32/win32_operating_system.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_repeat_timer.h"
#include "platform/win32/win32_tray_icon.h"
#include "platform/win32/win32_window_system.h"
#include "platform/win32/win32_working_directory.h"

namespace {

// Window procedures, dialog procedures and timer callbacks get no context of their own.
brontavel::Application* g_application = nullptr;

LRESULT CALLBACK ControlWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_application) return DefWindowProcA(window, message, wParam, lParam);
  const brontavel::MessageOutcome outcome = g_application->OnMessage(message, wParam, lParam);
  switch (outcome.then) {
    case brontavel::MessageOutcome::Then::Return:
      return outcome.result;
    case brontavel::MessageOutcome::Then::EndProcess:
      // The runtime's normal exit: exit handlers run and open streams are flushed.
      std::exit(0);
    case brontavel::MessageOutcome::Then::CallDefault:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void CALLBACK RepeatTimerExpired(HWND, UINT, UINT_PTR, DWORD) {
  if (g_application) g_application->remote().OnRepeatTimer();
}

INT_PTR CALLBACK OptionsDialogCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_application) return FALSE;
  if (message == WM_INITDIALOG) brontavel::CenterOnWorkArea(dialog);
  brontavel::Win32DialogControls controls(dialog);
  return g_application->OnOptionsDialogMessage(controls, message, wParam, lParam) ? TRUE : FALSE;
}

INT_PTR CALLBACK AboutDialogCallback(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (!g_application) return FALSE;
  if (message == WM_INITDIALOG) brontavel::CenterOnWorkArea(dialog);
  brontavel::Win32DialogControls controls(dialog);
  return g_application->OnAboutDialogMessage(controls, message) ? TRUE : FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace brontavel;
  Win32ControlWindow controlWindow(instance, &ControlWindowProcedure);
  Win32WindowSystem windows;
  Win32RepeatTimer timer(controlWindow, &RepeatTimerExpired);
  Win32ProfileStore store;
  Win32WorkingDirectory directory;
  Win32MessageBoxes boxes;
  Win32DesktopShell shell;
  Win32OperatingSystem os;
  Win32TrayIcon tray(controlWindow);
  Win32Joystick joystick(controlWindow);
  Win32ModalDialogs dialogs(controlWindow, &OptionsDialogCallback, &AboutDialogCallback);

  Application application(Services{windows, timer, store, directory, boxes, shell, os, controlWindow},
                          ShellServices{tray, joystick, dialogs});
  g_application = &application;
  if (!application.Start()) return 0;

  MSG message{};
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) break;  // only a bad window filter makes GetMessage fail, and there is none
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
