// A small Windows helper of the simulated desktop: it looks at windows, talks to them, and uses the
// real profile functions, so the test script on the Linux side can see what a Windows program sees.
//
//   window_tool wait CLASS|- TITLE|- MS     exit 0 once such a top-level window exists, 1 on timeout
//   window_tool gone CLASS|- TITLE|- MS     exit 0 once no such window exists
//   window_tool ping CLASS|- TITLE|- MS     exit 0 once the window exists and its thread answers
//   window_tool front TITLE MS              exit 0 once the window is in front: the foreground window,
//                                        holding the focus, on top where it lies
//   window_tool items TITLE ID              each line of a dialog's combo box
//   window_tool owner TITLE                 the title of the window's owner, "" for none
//   window_tool decoy CLASS MESSAGE         a window of CLASS that ends its program, unanswered, when
//                                        the registered MESSAGE arrives
//   window_tool game TITLE                  a borderless window over the whole work area, in front, as
//                                        a borderless game's; it ends on WM_CLOSE
//   window_tool rect TITLE ID               screen rectangle of a dialog's control (0: the dialog)
//   window_tool menu-item INDEX COUNT       screen rectangle of item INDEX of the open COUNT-item menu
//   window_tool menu                        exit 0 while a popup menu is open
//   window_tool tooltip                     WIDTH|TEXT of the tooltip on show, exit 1 if none
//   window_tool texts CLASS|- TITLE|-       the window's title, then each child's class and text
//   window_tool layout TITLE W H            each control of a dialog W x H dialog units big: its text,
//                                        and x y width height in dialog units
//   window_tool end-session CLASS           the Windows session ends, as Windows tells a window
//   window_tool count CLASS|- TITLE|-       how many top-level windows match
//   window_tool close CLASS [TITLE]         post WM_CLOSE to the first such window
//   window_tool shortcut LINK TARGET [ARGS] a shell shortcut (.lnk) to TARGET, passing ARGS
//   window_tool startup                     the Startup folder and its shortcuts
//   window_tool short PATH                  the short (8.3) form of a path
//   window_tool resources EXE               a program's manifest and version information
//   window_tool list-count TITLE            how many files a file chooser lists
//   window_tool names                       the gesture labels and command names, one per line
//   window_tool tray-delete CLASS ID        removes a window's tray icon behind its back
//   window_tool broadcast NAME              broadcasts the registered window message NAME, a change
//                                        of devices for "device-change", "resume" from sleep, or
//                                        "resume-critical" from a critical suspend
//   window_tool balloons                    each notification balloon on show: window|text

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/command_catalogue.h"
#include "core/joystick_event.h"

namespace {

const char* OrNull(const char* text) { return std::strcmp(text, "-") == 0 ? nullptr : text; }

HWND Find(const char* className, const char* title) { return FindWindowA(OrNull(className), OrNull(title)); }

// 0 once such a window exists (present) or none does; with ping, once it also answers a message. A
// window found may be gone before the message reaches it (one program ends as another starts): then
// the search goes on until the time is up.
// A failure says what was seen last and after how long, so that it cannot be taken for a tool that
// never ran, which says nothing.
int WaitFor(const char* className, const char* title, int ms, bool present, bool ping = false) {
  const DWORD start = GetTickCount();
  const char* seen = present ? "no such window" : "the window is still there";
  for (int waited = 0; waited <= ms; waited += 50, Sleep(50)) {
    HWND window = Find(className, title);
    DWORD_PTR ignored;
    if ((window != nullptr) != present) continue;
    if (!ping) return 0;
    // A window that does not answer may take all the time there is, once.
    const DWORD spent = GetTickCount() - start;
    if (spent >= static_cast<DWORD>(ms)) break;
    if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ms - spent, &ignored)) return 0;
    seen = GetLastError() == ERROR_TIMEOUT ? "the window did not answer" : "the window went before it answered";
  }
  std::printf("%s, after %lu ms\n", seen, static_cast<unsigned long>(GetTickCount() - start));
  return 1;
}

// A key typed now reaches the window: it is the foreground window, the focus is in it, and nothing
// lies over it (an ownerless box can be the foreground window below a dialog that stays on top).
int Front(const char* title, int ms) {
  for (int waited = 0; waited <= ms; waited += 50, Sleep(50)) {
    HWND window = FindWindowA(nullptr, title);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    RECT rect;
    if (!window || GetForegroundWindow() != window || !GetWindowRect(window, &rect) ||
        !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread))
      continue;
    const HWND onTop = WindowFromPoint({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    const bool focused = thread.hwndFocus == window || IsChild(window, thread.hwndFocus);
    if (focused && (onTop == window || IsChild(window, onTop))) return 0;
  }
  return 1;
}

// A window of class className that ends its process when the registered message arrives, without
// answering: a running copy whose window goes before it answers.
LRESULT CALLBACK DecoyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static UINT endOn = 0;
  if (message == WM_CREATE) endOn = RegisterWindowMessageA(static_cast<const char*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  if (endOn != 0 && message == endOn) ExitProcess(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int Decoy(const char* className, const char* message) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DecoyProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  if (!RegisterClassA(&windowClass)) return 1;
  if (!CreateWindowExA(0, className, className, 0, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                       const_cast<char*>(message)))
    return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

LRESULT CALLBACK GameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int Game(const char* title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = GameProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "BrontavelGame";
  if (!RegisterClassA(&windowClass)) return 1;
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const HWND window = CreateWindowExA(0, "BrontavelGame", title, WS_POPUP | WS_VISIBLE, area.left, area.top,
                                      area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
  if (!window) return 1;
  SetForegroundWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

int Rect(const char* title, int id) {
  HWND dialog = FindWindowA(nullptr, title);
  HWND control = id == 0 ? dialog : GetDlgItem(dialog, id);
  RECT rect;
  if (!control || !GetWindowRect(control, &rect)) return 1;
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

// A popup menu's window exists before it has been placed and shown, and one that has closed may
// linger hidden, above or below the open one: only a visible one is open.
HWND OpenMenu() {
  for (HWND menuWindow = nullptr; (menuWindow = FindWindowExA(nullptr, menuWindow, "#32768", nullptr)) != nullptr;)
    if (IsWindowVisible(menuWindow)) return menuWindow;
  return nullptr;
}

// Another process's menu handle is of no use under Wine, so the item is found from the menu
// window: the items share its height, inside a thin border.
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

int Texts(const char* className, const char* title) {
  HWND window = Find(className, title);
  if (!window) return 1;
  char text[1024];
  GetWindowTextA(window, text, sizeof text);
  std::printf("title: %s\n", text);
  // A control's text is asked of the control itself: for another process's window GetWindowText
  // reads only the stored caption, which a combo box, for one, does not keep.
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char childClass[256];
    GetClassNameA(child, childClass, sizeof childClass);
    DWORD_PTR ignored;
    text[0] = '\0';
    SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
    std::printf("%s: %s\n", childClass, text);
  }
  return 0;
}

// Dialog units from pixels, by the dialog's own size in both (another process cannot ask for its base
// units); a unit's rounding may differ by one from the template's.
int Layout(const char* title, int width, int height) {
  HWND dialog = FindWindowA(nullptr, title);
  RECT client;
  if (!dialog || !GetClientRect(dialog, &client) || client.right == 0 || client.bottom == 0) return 1;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[256];
    GetWindowTextA(child, text, sizeof text);
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%s|%d %d %d %d\n", text, MulDiv(rect.left, width, client.right), MulDiv(rect.top, height, client.bottom),
                MulDiv(rect.right - rect.left, width, client.right), MulDiv(rect.bottom - rect.top, height, client.bottom));
  }
  return 0;
}

// Paths cross the command line and the output in UTF-8, so that a folder named in any script
// survives the trip; the program's own arguments pass through the code page and would lose it.
std::wstring Wide(const std::string& text) {
  wchar_t wide[1024] = {};
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide, 1024);
  return wide;
}

std::string Utf8(const wchar_t* text) {
  char utf8[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

// A path as the user sees it, long names in place of short ones.
std::string LongUtf8(const wchar_t* path) {
  wchar_t full[1024] = {};
  return Utf8(GetLongPathNameW(path, full, 1024) ? full : path);
}

// A shell link and its file, for making and reading .lnk files.
struct Link {
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  Link() {
    CoInitialize(nullptr);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))))
      link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  }
};

int Shortcut(const std::string& path, const std::string& target, const std::string& arguments) {
  Link shortcut;
  if (!shortcut.file) return 1;
  shortcut.link->SetPath(Wide(target).c_str());
  shortcut.link->SetArguments(Wide(arguments).c_str());
  return SUCCEEDED(shortcut.file->Save(Wide(path).c_str(), TRUE)) ? 0 : 1;
}

// The user's Startup folder, then one line per shortcut in it: name|target|arguments|working folder,
// with long names.
int StartupShortcuts() {
  wchar_t folder[MAX_PATH], target[1024], arguments[1024], directory[1024];
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE)) return 1;
  std::printf("%s\n", Utf8(folder).c_str());
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((std::wstring(folder) + L"\\*.lnk").c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
    Link shortcut;
    const std::wstring path = std::wstring(folder) + L"\\" + found.cFileName;
    if (!shortcut.file || FAILED(shortcut.file->Load(path.c_str(), STGM_READ)))
      continue;
    shortcut.link->GetPath(target, 1024, nullptr, 0);
    shortcut.link->GetArguments(arguments, 1024);
    shortcut.link->GetWorkingDirectory(directory, 1024);
    std::printf("%s|%s|%s|%s\n", Utf8(found.cFileName).c_str(), LongUtf8(target).c_str(), Utf8(arguments).c_str(),
                LongUtf8(directory).c_str());
  }
  return 0;
}

// A program's manifest, then its version information, read back from the file.
int Resources(const char* exe) {
  // A failure names its call and error, so that a test can tell a damaged file from a failed look.
  const auto failed = [](const char* call) {
    std::printf("%s failed: error %lu\n", call, GetLastError());
    return 1;
  };
  HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return failed("LoadLibraryEx");
  HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (!manifest) return failed("FindResource");
  std::fwrite(LockResource(LoadResource(module, manifest)), 1, SizeofResource(module, manifest), stdout);
  std::vector<char> info(GetFileVersionInfoSizeA(exe, nullptr));
  if (info.empty()) return failed("GetFileVersionInfoSize");
  if (!GetFileVersionInfoA(exe, 0, static_cast<DWORD>(info.size()), info.data())) return failed("GetFileVersionInfo");
  for (const char* name : {"FileDescription", "FileVersion", "ProductName", "ProductVersion"}) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
      std::printf("\n%s=%s", name, value);
  }
  std::printf("\n");
  return 0;
}

// How many items a file chooser's list of files shows.
int ListCount(const char* title) {
  HWND view = FindWindowExA(FindWindowA(nullptr, title), nullptr, "SHELLDLL_DefView", nullptr);
  HWND list = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
  if (!list) return 1;
  std::printf("%d\n", static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** wideArguments = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8(wideArguments[i]));
  std::vector<char*> argvStorage;
  for (std::string& argument : arguments) argvStorage.push_back(argument.data());
  char** argv = argvStorage.data();
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait" && argc == 5) return WaitFor(argv[2], argv[3], std::atoi(argv[4]), true);
  if (command == "gone" && argc == 5) return WaitFor(argv[2], argv[3], std::atoi(argv[4]), false);
  if (command == "ping" && argc == 5) return WaitFor(argv[2], argv[3], std::atoi(argv[4]), true, true);
  if (command == "items" && argc == 4) {
    HWND list = GetDlgItem(FindWindowA(nullptr, argv[2]), std::atoi(argv[3]));
    const LRESULT count = list ? SendMessageA(list, CB_GETCOUNT, 0, 0) : CB_ERR;
    if (count == CB_ERR) return 1;
    // In wide characters: Wine hands another process's combo box text over as such.
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) < 256) SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      std::printf("%s\n", Utf8(text).c_str());
    }
    return 0;
  }
  if (command == "owner" && argc == 3) {
    HWND window = FindWindowA(nullptr, argv[2]);
    char title[256] = {};
    if (!window) return 1;
    GetWindowTextA(GetWindow(window, GW_OWNER), title, sizeof title);
    std::printf("%s\n", title);
    return 0;
  }
  if (command == "decoy" && argc == 4) return Decoy(argv[2], argv[3]);
  if (command == "front" && argc == 4) return Front(argv[2], std::atoi(argv[3]));
  if (command == "rect" && argc == 4) return Rect(argv[2], std::atoi(argv[3]));
  if (command == "game" && argc == 3) return Game(argv[2]);
  if (command == "menu-item" && argc == 4) return MenuItemRect(std::atoi(argv[2]), std::atoi(argv[3]));
  if (command == "menu") return OpenMenu() ? 0 : 1;
  if (command == "tooltip") {
    // The tip on show, not a notification (a balloon is a tooltip too).
    HWND tip = nullptr;
    while ((tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) != nullptr &&
           (!IsWindowVisible(tip) || (GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON))) {
    }
    RECT rect;
    if (!tip || !GetWindowRect(tip, &rect)) return 1;
    char text[512] = {};
    DWORD_PTR ignored;  // the tip's text, as for a balloon, only the window itself can tell
    SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
    std::printf("%ld|%s\n", rect.right - rect.left, text);
    return 0;
  }
  if (command == "texts" && argc == 4) return Texts(argv[2], argv[3]);
  if (command == "layout" && argc == 5) return Layout(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (command == "end-session" && argc == 3) {
    HWND window = FindWindowA(argv[2], nullptr);
    DWORD_PTR answer = 0;
    return window && SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer) &&
                   answer && SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer)
               ? 0
               : 1;
  }
  if (command == "count" && argc == 4) {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, OrNull(argv[2]), OrNull(argv[3]))) != nullptr;) ++count;
    std::printf("%d\n", count);
    return 0;
  }
  if (command == "close" && argc >= 3) {
    HWND window = Find(argv[2], argc > 3 ? argv[3] : "-");
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == "shortcut" && (argc == 4 || argc == 5)) return Shortcut(argv[2], argv[3], argc == 5 ? argv[4] : "");
  if (command == "startup") return StartupShortcuts();
  if (command == "short" && argc == 3) {
    wchar_t shortPath[1024];
    if (!GetShortPathNameW(Wide(argv[2]).c_str(), shortPath, 1024)) return 1;
    std::printf("%s\n", Utf8(shortPath).c_str());
    return 0;
  }
  if (command == "resources" && argc == 3) return Resources(argv[2]);
  if (command == "list-count" && argc == 3) return ListCount(argv[2]);
  if (command == "tray-delete" && argc == 4) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = FindWindowA(argv[2], nullptr);
    icon.uID = static_cast<UINT>(std::atoi(argv[3]));
    return icon.hWnd && Shell_NotifyIconA(NIM_DELETE, &icon) ? 0 : 1;
  }
  if (command == "broadcast" && argc == 3 && std::strcmp(argv[2], "device-change") == 0)  // DBT_DEVNODES_CHANGED
    return PostMessageA(HWND_BROADCAST, WM_DEVICECHANGE, 7, 0) ? 0 : 1;
  if (command == "broadcast" && argc == 3 && std::strcmp(argv[2], "resume") == 0)
    return PostMessageA(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0) ? 0 : 1;
  if (command == "broadcast" && argc == 3 && std::strcmp(argv[2], "resume-critical") == 0)
    return PostMessageA(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMRESUMECRITICAL, 0) ? 0 : 1;
  if (command == "balloons") {
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) != nullptr;) {
      char text[512] = {};
      if (!IsWindowVisible(tip) || !(GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON)) continue;
      // The balloon's text is its tool's, which only the window itself can tell: another process's
      // GetWindowText would read the empty caption instead.
      DWORD_PTR ignored;
      SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
      std::printf("%p|%s\n", static_cast<void*>(tip), text);
    }
    return 0;
  }
  if (command == "broadcast" && argc == 3)
    return PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(argv[2]), 0, 0) ? 0 : 1;
  if (command == "names") {
    for (int n = 1; n <= brontavel::kJoystickEventCount; ++n) std::printf("event %d %s\n", n, brontavel::JoystickEventLabel(n));
    for (int id = 0; id < brontavel::kCommandCount; ++id)
      std::printf("command %d %s\n", id, brontavel::CommandDisplayName(id));
    return 0;
  }
  std::fprintf(stderr, "usage: see the top of window_tool.cpp\n");
  return 2;
}
