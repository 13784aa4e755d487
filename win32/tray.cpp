#include "win32/tray.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

#include "res/resource_ids.h"
#include "win32/app.h"
#include "win32/dialogs.h"
#include "win32/options_dialog.h"
#include "win32/run_time_function.h"
#include "win32/start_with_windows.h"

namespace brontavel {
namespace {

constexpr const char* kTip = "Brontavel";
constexpr const char* kWaitingTip = "Brontavel: waiting for a joystick";
constexpr const char* kPausedTip = "Brontavel: paused";
constexpr const char* kGameTip = "Brontavel: paused for a game";
constexpr const char* kPausedNotice = "Brontavel paused: button 4 and Start to resume";
constexpr const char* kResumedNotice = "Brontavel resumed";
constexpr const char* kBatteryTip = "Brontavel: pad battery low";
constexpr const char* kBatteryNotice = "Brontavel: the pad's battery is low";


// The record as Windows 95 and NT 4 knew it (88 bytes on 32-bit Windows): every shell takes it, and
// the program needs nothing that later versions added.
NOTIFYICONDATAA IconRecord(HWND owner) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = owner;
  icon.uID = kTrayIconId;
  return icon;
}

void ShowTrayMenu(const App& app) {
  POINT cursor{};
  GetCursorPos(&cursor);
  HMENU menu = LoadMenuA(app.instance, MAKEINTRESOURCEA(IDM_TRAY_MENU));
  if (!menu) return;
  // Whether the program starts with Windows is the Startup folder's to say, and the user may have
  // changed it there since the menu was last open.
  HMENU popup = GetSubMenu(menu, 0);
  CheckMenuItem(popup, IDM_START_WITH_WINDOWS, StartsWithWindows() ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(popup, IDM_PAUSE, app.gestures.Paused ? MF_CHECKED : MF_UNCHECKED);
  // The menu's owner must be the foreground window, or the menu would not close when the user clicks
  // elsewhere.
  SetForegroundWindow(app.window);
  // Right- and bottom-aligned puts the menu above and to the left of the cursor, as the taskbar sits
  // at the bottom of the screen; without TPM_RIGHTBUTTON items are chosen with the left button.
  TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, app.window, nullptr);
  DestroyMenu(menu);
  // Lets the menu finish closing before the window sees anything else (the documented tray idiom).
  PostMessageA(app.window, WM_NULL, 0, 0);
}

// The record that adds the icon, or with NIM_MODIFY changes its tip.
NOTIFYICONDATAA FullRecord(const App& app) {
  NOTIFYICONDATAA icon = IconRecord(app.window);
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = kTrayCallbackMessage;
  const HICON drawn = app.gestures.Paused || app.pausedForGame ? app.pausedTrayIcon : app.trayIcon;
  icon.hIcon = drawn ? drawn : app.icon;
  // Waiting for the pad is news the user must act on; a pause is the user's own doing; a low battery
  // matters only while the remote answers.
  const char* tip = app.pads.Waiting()      ? kWaitingTip
                    : app.gestures.Paused   ? kPausedTip
                    : app.pausedForGame     ? kGameTip
                    : app.pads.BatteryLow() ? kBatteryTip
                                            : kTip;
  std::memcpy(icon.szTip, tip, std::strlen(tip));  // the rest of the tip stays zero
  return icon;
}

// The shell's version, as shell32.dll itself says; 4 where it cannot say (Windows 95 and NT 4).
DWORD ShellMajorVersion() {
  const auto getVersion = RunTimeFunction<DLLGETVERSIONPROC>("shell32.dll", "DllGetVersion");
  DLLVERSIONINFO version{};
  version.cbSize = sizeof version;
  return getVersion && SUCCEEDED(getVersion(&version)) ? version.dwMajorVersion : 4;
}

void CopyText(char* to, std::size_t size, const char* text) {
  std::strncpy(to, text, size - 1);  // the record starts zeroed, so the text stays terminated
}

// A notification from the icon; with no title, the text alone (which must not be empty: an empty text
// takes a notification away).
void ShowBalloon(const App& app, const char* title, const char* text) {
  // Balloons came with shell 5.0 (Windows 2000, 98 with its update); an older shell would refuse the
  // larger record, and has no way to point at the icon anyway.
  if (ShellMajorVersion() < 5) return;
  NOTIFYICONDATAA balloon = IconRecord(app.window);
  balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
  balloon.uFlags = NIF_INFO;
  balloon.dwInfoFlags = *title ? NIIF_INFO : NIIF_NONE;
  balloon.uTimeout = 10000;  // ms; the shell keeps it up at least this long while the user is away
  CopyText(balloon.szInfoTitle, sizeof balloon.szInfoTitle, title);
  CopyText(balloon.szInfo, sizeof balloon.szInfo, text);
  Shell_NotifyIconA(NIM_MODIFY, &balloon);
}

}  // namespace

bool AddTrayIcon(const App& app) {
  NOTIFYICONDATAA icon = FullRecord(app);
  return Shell_NotifyIconA(NIM_ADD, &icon) != FALSE;
}

void UpdateTrayTip(const App& app) {
  NOTIFYICONDATAA icon = FullRecord(app);
  Shell_NotifyIconA(NIM_MODIFY, &icon);
}

void RemoveTrayIcon(const App& app) {
  NOTIFYICONDATAA icon = IconRecord(app.window);
  Shell_NotifyIconA(NIM_DELETE, &icon);
}

void ShowRunningNotice(const App& app, RunningNotice notice) {
  // Today's Windows keeps a new icon out of sight, and the program has no window: the first start
  // would otherwise look as if nothing happened.
  ShowBalloon(app, notice == RunningNotice::Started ? RunningNoticeTitle(app.edition) : kAlreadyRunningTitle,
              kWhereToFindIt);
}

void ShowPauseNotice(const App& app) {
  ShowBalloon(app, "", app.gestures.Paused ? kPausedNotice : kResumedNotice);
}

void ShowBatteryNotice(const App& app) { ShowBalloon(app, "", kBatteryNotice); }

void OnTrayCallback(App& app, LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDBLCLK) ShowOptionsDialog(app);
  if (mouseMessage == WM_RBUTTONDOWN) ShowTrayMenu(app);
}

void OnMenuCommand(App& app, UINT id) {
  switch (id) {
    case IDM_ABOUT:
      ShowAboutDialog(app);
      break;
    case IDM_OPTIONS:
      ShowOptionsDialog(app);
      break;
    case IDM_PAUSE:
      // The user is at the screen, and sees the icon change: no notification.
      app.recogniser.SetPaused(!app.gestures.Paused);
      UpdateTrayTip(app);
      break;
    case IDM_START_WITH_WINDOWS:
      SetStartWithWindows(!StartsWithWindows(), app.wideFolder, app.settingsFile.folder());
      break;
    case IDM_EXIT:
      PostMessageA(app.window, WM_CLOSE, 0, 0);
      break;
  }
}

}  // namespace brontavel
