// A stand-in for the player, for the end-to-end tests and the demo. It creates the windows Brontavel
// looks for (three top-level "STUDIO" windows, the main one on top; the "BaseWindow_RootWnd" frame
// titled "Playlist" with several children, one of which has ':' as the 13th character of its title,
// plus decoys around it) and logs every key message, every close request and the time it arrived to
// the file named by BRONTAVEL_PLAYER_LOG, one line each: "<ms> <window> <message> <wParam> <lParam>".
// While the file named by BRONTAVEL_PLAYER_HANG exists it stops answering, like a hung program.

#include <windows.h>

#include <initializer_list>

#include "standin_log.h"

namespace {

constexpr UINT_PTR kHangCheckTimer = 1;

void Log(const char* window, const char* event, WPARAM wParam = 0, LPARAM lParam = 0) {
  LogLine("BRONTAVEL_PLAYER_LOG", NowMs(), "%s %s 0x%02x %ld\n", window, event, static_cast<unsigned>(wParam),
          static_cast<long>(lParam));
}

bool HangRequested() {
  char path[MAX_PATH];
  return GetEnvironmentVariableA("BRONTAVEL_PLAYER_HANG", path, MAX_PATH) &&
         GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

const char* RoleOf(HWND window) { return static_cast<const char*>(GetPropA(window, "role")); }

HWND g_main = nullptr;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const char* role = RoleOf(window);
  switch (message) {
    case WM_KEYDOWN:
      Log(role, "KEYDOWN", wParam, lParam);
      return 0;
    case WM_KEYUP:
      Log(role, "KEYUP", wParam, lParam);
      return 0;
    case WM_CLOSE:
      Log(role, "CLOSE");
      if (window == g_main) PostQuitMessage(0);
      return 0;
    case WM_TIMER:
      if (wParam == kHangCheckTimer && HangRequested()) {
        Log("player", "HANG");
        while (HangRequested()) Sleep(20);
        Log("player", "RESUME");
      }
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Make(const char* className, const char* title, const char* role, HWND parent, int x, int y, int w, int h) {
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE | WS_BORDER : WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE;
  HWND window = CreateWindowExA(0, className, title, style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  SetPropA(window, "role", const_cast<char*>(role));
  return window;
}

void Register(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  for (const char* name : {"STUDIO", "BaseWindow_RootWnd", "Wasabi", "Winamp v1.x"}) Register(name);
  // "old": only the main window of the player's old version, which Brontavel warns about.
  const bool old = lstrcmpA(commandLine, "old") == 0;
  if (old) {
    g_main = Make("Winamp v1.x", "Winamp 2.91", "old", nullptr, 600, 400, 300, 120);
  } else {
    Make("STUDIO", "Media Library", "browser", nullptr, 20, 360, 240, 100);
    Make("STUDIO", "Equalizer", "equaliser", nullptr, 20, 250, 240, 100);
    HWND frame = Make("BaseWindow_RootWnd", "Playlist", "frame", nullptr, 280, 20, 260, 200);
    // Children stack in creation order: a title bar holding a decoy grandchild, the playlist editor,
    // then a second match that must lose to the first.
    HWND titleBar = Make("Wasabi", "Playlist title bar", "titlebar", frame, 0, 0, 250, 24);
    Make("Wasabi", "Grandchild  :never", "grandchild", titleBar, 0, 0, 100, 20);
    Make("Wasabi", "PE Component:Main", "playlist", frame, 0, 30, 250, 100);
    Make("Wasabi", "Second match:late", "second-match", frame, 0, 135, 250, 30);
    // Created last, so it is the topmost "STUDIO" window: the one the default settings find.
    g_main = Make("STUDIO", "Winamp3", "main", nullptr, 20, 20, 240, 200);
    SetTimer(g_main, kHangCheckTimer, 50, nullptr);
    Log("player", "START");
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (!old) Log("player", "EXIT");
  return 0;
}
