// The baseline for the latency measurement: the platform's own cost of Brontavel's path. It reads
// joystick 1 every 100 ms as Brontavel does and, whenever the stick has moved by more than 6000 units
// into the Left zone, presses Z in the player's playlist window exactly as Brontavel delivers a key,
// with no recogniser, no bindings and no lookups in between. Ends on WM_CLOSE.

#include <windows.h>
#include <mmsystem.h>

namespace {

HWND g_playlist = nullptr;

HWND FindPlaylist() {
  HWND frame = FindWindowA("BaseWindow_RootWnd", "Playlist");
  for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char title[14] = {};
    GetWindowTextA(child, title, sizeof title);
    if (title[12] == ':') return child;
  }
  return nullptr;
}

void Press(WPARAM key) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(g_playlist, WM_KEYDOWN, key, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  SendMessageTimeoutA(g_playlist, WM_KEYUP, key, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

DWORD g_reportedX = 32768, g_reportedY = 32768;

void Poll() {
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS | JOY_RETURNPOV;
  if (joyGetPosEx(JOYSTICKID1, &info) != JOYERR_NOERROR) return;
  const auto moved = [](DWORD from, DWORD to) { return (from > to ? from - to : to - from) > 6000; };
  if (!moved(g_reportedX, info.dwXpos) && !moved(g_reportedY, info.dwYpos)) return;
  g_reportedX = info.dwXpos;
  g_reportedY = info.dwYpos;
  if (info.dwXpos < 5000) Press('Z');
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    Poll();
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "BrontavelRelay";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "BrontavelRelay", "Relay", WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 160, 22,
                                nullptr, nullptr, instance, nullptr);
  g_playlist = FindPlaylist();
  if (!window || !g_playlist || !SetTimer(window, 1, 100, nullptr)) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
