// The Windows entry point: start-up, then the message loop. The two globals below exist because
// Windows calls the control window's procedure and the repeat timer's callback without a context.

#include <windows.h>

#include "core/command_line.h"
#include "win32/app.h"
#include "win32/control_window.h"
#include "win32/run_time_function.h"
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

// Another window came in front: the icon shows whether it is a game's.
void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  if (g_app) g_app->GameHasTheScreen();
}

// DLLs that Windows loads later on the program's behalf (the file chooser's, among others) are taken
// from the system folder only, never from the program's own folder, where a downloaded DLL may lie.
// Windows before 8 (and 7 without its update) cannot be told so; there only the joystick driver,
// loaded by its full path, is safe from it.
void LoadDllsFromTheSystemFolderOnly() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  const auto setDefaultDllDirectories =
      brontavel::RunTimeFunction<SetDefaultDllDirectoriesFunction>("kernel32.dll", "SetDefaultDllDirectories");
  if (setDefaultDllDirectories) setDefaultDllDirectories(kSearchSystem32);
}

// The build makes one program for each edition from the same sources; only this differs.
#if defined(BRONTAVEL_CLASSIC)
constexpr brontavel::Edition kThisEdition = brontavel::Edition::Classic;
#elif defined(BRONTAVEL_ANY_PLAYER)
constexpr brontavel::Edition kThisEdition = brontavel::Edition::AnyPlayer;
#else
constexpr brontavel::Edition kThisEdition = brontavel::Edition::Winamp3;
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  LoadDllsFromTheSystemFolderOnly();
  brontavel::App app(kThisEdition, instance, &RepeatTimerExpired, &ForegroundChanged);
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
