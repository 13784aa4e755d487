#include "win32/tray.h"

#include <shellapi.h>

#include <cstring>

#include "res/resource_ids.h"
#include "win32/app.h"
#include "win32/dialogs.h"
#include "win32/options_dialog.h"
#include "win32/start_with_windows.h"

namespace brontavel {
namespace {

constexpr const char* kTip = "Brontavel";
constexpr const char* kWaitingTip = "Brontavel: waiting for joystick 1";

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
  icon.hIcon = app.trayIcon ? app.trayIcon : app.icon;
  const char* tip = app.waitingForJoystick ? kWaitingTip : kTip;
  std::memcpy(icon.szTip, tip, std::strlen(tip));  // the rest of the tip stays zero
  return icon;
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
    case IDM_START_WITH_WINDOWS:
      SetStartWithWindows(!StartsWithWindows(), app.settingsFile.folder());
      break;
    case IDM_EXIT:
      PostMessageA(app.window, WM_CLOSE, 0, 0);
      break;
  }
}

}  // namespace brontavel
