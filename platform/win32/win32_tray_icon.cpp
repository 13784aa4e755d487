#include "platform/win32/win32_tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "res/resource_ids.h"

namespace brontavel {
namespace {

constexpr const char* kTip = "Brontavel";

// The record as Windows 95 and NT 4 knew it (88 bytes on 32-bit Windows): every shell takes it, and
// the program needs nothing that later versions added.
NOTIFYICONDATAA IconRecord(HWND owner) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = owner;
  icon.uID = kTrayIconId;
  return icon;
}

}  // namespace

bool Win32TrayIcon::Add() {
  NOTIFYICONDATAA icon = IconRecord(owner_.hwnd());
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = kTrayCallbackMessage;
  icon.hIcon = owner_.icon();
  std::memcpy(icon.szTip, kTip, std::strlen(kTip));  // the rest of the tip stays zero
  return Shell_NotifyIconA(NIM_ADD, &icon) != FALSE;
}

void Win32TrayIcon::Remove() {
  NOTIFYICONDATAA icon = IconRecord(owner_.hwnd());
  Shell_NotifyIconA(NIM_DELETE, &icon);
}

unsigned Win32TrayIcon::ShellRestartMessage() { return RegisterWindowMessageA("TaskbarCreated"); }

ScreenPoint Win32TrayIcon::CursorPosition() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return {cursor.x, cursor.y};
}

void Win32TrayIcon::BringOwnerToForeground() { SetForegroundWindow(owner_.hwnd()); }

void Win32TrayIcon::TrackMenu(ScreenPoint at) {
  HMENU menu = LoadMenuA(owner_.instance(), MAKEINTRESOURCEA(IDM_TRAY_MENU));
  if (!menu) return;
  // Right- and bottom-aligned puts the menu above and to the left of the cursor, as the taskbar sits
  // at the bottom of the screen; without TPM_RIGHTBUTTON items are chosen with the left button.
  TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTALIGN | TPM_BOTTOMALIGN, at.x, at.y, 0, owner_.hwnd(), nullptr);
  DestroyMenu(menu);
}

}  // namespace brontavel
