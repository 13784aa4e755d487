// A small Windows helper for the end-to-end tests: it looks at windows, talks to them, and uses the
// real profile functions, so the test script on the Linux side can see what a Windows program sees.
//
//   e2e_tool wait CLASS|- TITLE|- MS        exit 0 once such a top-level window exists, 1 on timeout
//   e2e_tool gone CLASS|- TITLE|- MS        exit 0 once no such window exists
//   e2e_tool ping CLASS|- TITLE|- MS        exit 0 once the window exists and its thread answers
//   e2e_tool rect TITLE ID                  screen rectangle of a dialog's control (0: the dialog)
//   e2e_tool window CLASS TITLE             shows a window of that class until it is closed
//   e2e_tool menu-item INDEX COUNT          screen rectangle of item INDEX of the open COUNT-item menu
//   e2e_tool menu                           exit 0 while a popup menu is open
//   e2e_tool texts CLASS|- TITLE|-          the window's title, then each child's class and text
//   e2e_tool count CLASS|- TITLE|-          how many top-level windows match
//   e2e_tool close CLASS                    post WM_CLOSE to the first window of the class
//   e2e_tool ini-get SECTION KEY FILE       a key's value through GetPrivateProfileStringA
//   e2e_tool shortcut LINK TARGET           a shell shortcut (.lnk) to TARGET
//   e2e_tool names                          the gesture labels and command names, one per line
//   e2e_tool tray-delete CLASS ID           removes a window's tray icon behind its back
//   e2e_tool broadcast NAME                 broadcasts the registered window message NAME

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/command_catalogue.h"
#include "core/joystick_event.h"

namespace {

const char* OrNull(const char* text) { return std::strcmp(text, "-") == 0 ? nullptr : text; }

HWND Find(const char* className, const char* title) { return FindWindowA(OrNull(className), OrNull(title)); }

int WaitFor(const char* className, const char* title, int ms, bool present) {
  for (int waited = 0; waited <= ms; waited += 50) {
    if ((Find(className, title) != nullptr) == present) return 0;
    Sleep(50);
  }
  return 1;
}

int Ping(const char* className, const char* title, int ms) {
  const DWORD start = GetTickCount();
  if (WaitFor(className, title, ms, true) != 0) return 1;
  const int left = ms - static_cast<int>(GetTickCount() - start);
  DWORD_PTR ignored;
  return SendMessageTimeoutA(Find(className, title), WM_NULL, 0, 0, SMTO_NORMAL, left > 0 ? left : 1, &ignored) ? 0
                                                                                                            : 1;
}

int Rect(const char* title, int id) {
  HWND dialog = FindWindowA(nullptr, title);
  HWND control = id == 0 ? dialog : GetDlgItem(dialog, id);
  RECT rect;
  if (!control || !GetWindowRect(control, &rect)) return 1;
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

// Another process's menu handle is of no use under Wine, so the item is found from the menu
// window: the items share its height, inside a thin border.
// A popup menu's window exists before it has been placed and shown: only a visible one is open.
HWND OpenMenu() {
  HWND menuWindow = FindWindowA("#32768", nullptr);
  return menuWindow && IsWindowVisible(menuWindow) ? menuWindow : nullptr;
}

int MenuItemRect(int index, int count) {
  HWND menuWindow = OpenMenu();
  RECT rect;
  if (!menuWindow || count <= 0 || !GetWindowRect(menuWindow, &rect)) return 1;
  const int border = 3;
  const int height = (rect.bottom - rect.top - 2 * border) / count;
  const int top = rect.top + border + index * height;
  std::printf("%ld %d %ld %d\n", rect.left + border, top, rect.right - border, top + height);
  return 0;
}

LRESULT CALLBACK PlainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int ShowWindowOfClass(const char* className, const char* title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &PlainWindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 300, 120, nullptr, nullptr,
                  GetModuleHandleA(nullptr), nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

int Texts(const char* className, const char* title) {
  HWND window = Find(className, title);
  if (!window) return 1;
  char text[1024];
  GetWindowTextA(window, text, sizeof text);
  std::printf("title: %s\n", text);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char childClass[256];
    GetClassNameA(child, childClass, sizeof childClass);
    GetWindowTextA(child, text, sizeof text);
    std::printf("%s: %s\n", childClass, text);
  }
  return 0;
}

int Shortcut(const char* link, const char* target) {
  CoInitialize(nullptr);
  IShellLinkA* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shellLink))))
    return 1;
  shellLink->SetPath(target);
  IPersistFile* file = nullptr;
  HRESULT saved = E_FAIL;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link, -1, wide, MAX_PATH);
    saved = file->Save(wide, TRUE);
    file->Release();
  }
  shellLink->Release();
  return SUCCEEDED(saved) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait" && argc == 5) return WaitFor(argv[2], argv[3], std::atoi(argv[4]), true);
  if (command == "gone" && argc == 5) return WaitFor(argv[2], argv[3], std::atoi(argv[4]), false);
  if (command == "ping" && argc == 5) return Ping(argv[2], argv[3], std::atoi(argv[4]));
  if (command == "rect" && argc == 4) return Rect(argv[2], std::atoi(argv[3]));
  if (command == "window" && argc == 4) return ShowWindowOfClass(argv[2], argv[3]);
  if (command == "menu-item" && argc == 4) return MenuItemRect(std::atoi(argv[2]), std::atoi(argv[3]));
  if (command == "menu") return OpenMenu() ? 0 : 1;
  if (command == "texts" && argc == 4) return Texts(argv[2], argv[3]);
  if (command == "count" && argc == 4) {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, OrNull(argv[2]), OrNull(argv[3]))) != nullptr;) ++count;
    std::printf("%d\n", count);
    return 0;
  }
  if (command == "close" && argc == 3) {
    HWND window = FindWindowA(argv[2], nullptr);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == "ini-get" && argc == 5) {
    char value[1024];
    GetPrivateProfileStringA(argv[2], argv[3], "<absent>", value, sizeof value, argv[4]);
    std::printf("%s\n", value);
    return 0;
  }
  if (command == "shortcut" && argc == 4) return Shortcut(argv[2], argv[3]);
  if (command == "tray-delete" && argc == 4) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = FindWindowA(argv[2], nullptr);
    icon.uID = static_cast<UINT>(std::atoi(argv[3]));
    return icon.hWnd && Shell_NotifyIconA(NIM_DELETE, &icon) ? 0 : 1;
  }
  if (command == "broadcast" && argc == 3)
    return PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(argv[2]), 0, 0) ? 0 : 1;
  if (command == "names") {
    for (int n = 1; n <= brontavel::kJoystickEventCount; ++n) std::printf("event %d %s\n", n, brontavel::JoystickEventLabel(n));
    for (int id = 0; id < brontavel::kCommandCount; ++id)
      std::printf("command %d %s\n", id, brontavel::CommandDisplayName(id));
    return 0;
  }
  std::fprintf(stderr, "usage: see the top of e2e_tool.cpp\n");
  return 2;
}
