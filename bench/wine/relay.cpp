// The baseline for the latency measurement: the platform's own cost of Brontavel's path. It captures
// joystick 1 exactly as Brontavel does and, for every position report in the Left zone, presses Z in
// the player's playlist window exactly as Brontavel delivers a key, with no recogniser, no bindings
// and no lookups in between. Ends on WM_CLOSE.

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

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == MM_JOY1MOVE && LOWORD(lParam) < 5000) Press('Z');
  if (message == MM_JOY1MOVE) return 0;
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
  if (!window || !g_playlist || joySetCapture(window, JOYSTICKID1, 100, TRUE) != JOYERR_NOERROR) return 1;
  joySetThreshold(JOYSTICKID1, 6000);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
