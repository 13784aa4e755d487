// A stand-in for the player, for the end-to-end tests and the demo, in one of three forms:
//   (no argument)  Winamp 3: three top-level "STUDIO" windows, the main one on top; the
//                  "BaseWindow_RootWnd" frame titled "Playlist" with several children, one of which
//                  has ':' as the 13th character of its title, plus decoys around it.
//   classic        the classic player (Winamp 2.x, 5.x), with the windows its published interface
//                  names: the main window "Winamp v1.x", which takes the documented WM_COMMAND ids,
//                  and the top-level playlist editor, equaliser and minibrowser ("Winamp PE",
//                  "Winamp EQ", "Winamp MB").
//   media          any other player, as it listens on today's Windows: it registers the keyboard's
//                  media keys as hot keys, and hears each one typed anywhere as WM_HOTKEY. It also
//                  sees every press and release of a media key as a low-level keyboard hook does,
//                  and logs each ("KEYDOWN" or "KEYUP", with 1 for the extended-key flag, else 0).
// It logs every key message, WM_COMMAND, hot key and close request, with the time it arrived, to the
// file named by BRONTAVEL_PLAYER_LOG, one line each: "<ms> <window> <message> <wParam> <lParam>"
// (for a hot key, wParam is its virtual-key code). While the file named by BRONTAVEL_PLAYER_HANG
// exists it stops answering, like a hung program.

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
    case WM_COMMAND:
      Log(role, "COMMAND", wParam, lParam);
      return 0;
    case WM_HOTKEY:
      Log(role, "HOTKEY", HIWORD(lParam), 0);
      return 0;
    case WM_CLOSE:
      Log(role, "CLOSE");
      if (window == g_main) PostQuitMessage(0);
      return 0;
    case WM_TIMER:
      if (wParam == kHangCheckTimer && HangRequested()) {
        Log(role, "HANG");
        while (HangRequested()) Sleep(20);
        Log(role, "RESUME");
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

// The media keys (VK_MEDIA_NEXT_TRACK .. VK_MEDIA_PLAY_PAUSE, VK_VOLUME_MUTE .. VK_VOLUME_UP).
constexpr UINT kMediaKeys[] = {0xB0, 0xB1, 0xB2, 0xB3, 0xAD, 0xAE, 0xAF};

LRESULT CALLBACK KeyboardHook(int code, WPARAM message, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && key->vkCode >= 0xAD && key->vkCode <= 0xB3)
    Log("media", key->flags & LLKHF_UP ? "KEYUP" : "KEYDOWN", key->vkCode, (key->flags & LLKHF_EXTENDED) ? 1 : 0);
  return CallNextHookEx(nullptr, code, message, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  for (const char* name : {"STUDIO", "BaseWindow_RootWnd", "Wasabi", "Winamp v1.x", "Winamp PE", "Winamp EQ",
                           "Winamp MB", "MediaKeyListener"})
    Register(name);
  const bool media = lstrcmpA(commandLine, "media") == 0;
  const char* self = media ? "media" : "player";  // a player's own start and end are told apart from it
  if (lstrcmpA(commandLine, "classic") == 0) {
    Make("Winamp MB", "Winamp Minibrowser", "browser", nullptr, 600, 560, 300, 100);
    Make("Winamp EQ", "Winamp Equalizer", "equaliser", nullptr, 600, 440, 300, 110);
    Make("Winamp PE", "Winamp Playlist Editor", "playlist", nullptr, 600, 200, 300, 230);
    g_main = Make("Winamp v1.x", "Winamp 2.91", "main", nullptr, 600, 80, 300, 110);
  } else if (media) {
    g_main = Make("MediaKeyListener", "Media keys", "media", nullptr, 20, 480, 240, 60);
    // A hot key another program holds is refused: that player would not hear it either.
    for (UINT key : kMediaKeys)
      if (!RegisterHotKey(g_main, static_cast<int>(key), 0, key)) Log("media", "REFUSED", key);
    SetWindowsHookExA(WH_KEYBOARD_LL, &KeyboardHook, GetModuleHandleA(nullptr), 0);
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
  }
  SetTimer(g_main, kHangCheckTimer, 50, nullptr);
  Log(self, "START");
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Log(self, "EXIT");
  return 0;
}
