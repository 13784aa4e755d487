// The baseline for the start-up and idle measurements: the least a tray program can do. It registers
// a class, creates a hidden window, adds a tray icon and enters its message loop; with the argument
// "timer" its window also gets a 100 ms timer that does nothing, as Brontavel's poll would without
// its read; with "sampler" a thread of its own wakes every 16 ms on a high-resolution waitable timer
// and does nothing, as Brontavel's XInput sampling would without its read. Ends on WM_CLOSE.

#include <windows.h>
#include <shellapi.h>

namespace {

NOTIFYICONDATAA g_icon{};

DWORD WINAPI Sampler(void*) {
  constexpr DWORD kHighResolution = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
  HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS);
  if (!timer) timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  for (;;) {
    LARGE_INTEGER due;
    due.QuadPart = -16 * 10000;
    SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
    WaitForSingleObject(timer, INFINITE);
  }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    Shell_NotifyIconA(NIM_DELETE, &g_icon);
    PostQuitMessage(0);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.lpszClassName = "BareTray";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "BareTray", "BareTray", WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 160, 22,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  g_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  g_icon.hWnd = window;
  g_icon.uID = 1;
  g_icon.uFlags = NIF_ICON | NIF_TIP;
  g_icon.hIcon = windowClass.hIcon;
  lstrcpyA(g_icon.szTip, "BareTray");
  Shell_NotifyIconA(NIM_ADD, &g_icon);
  if (lstrcmpA(commandLine, "timer") == 0) SetTimer(window, 1, 100, nullptr);
  if (lstrcmpA(commandLine, "sampler") == 0) CreateThread(nullptr, 0, &Sampler, nullptr, 0, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
