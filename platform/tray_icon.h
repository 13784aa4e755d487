#pragma once

namespace brontavel {

// The id of the program's icon in the notification area, and the message its mouse events arrive
// as (with the mouse message in lParam).
inline constexpr unsigned kTrayIconId = 888;
inline constexpr unsigned kTrayCallbackMessage = 888;

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// The program's icon in the notification area and its popup menu.
//
// Contract:
// - Add: shows the icon (tip "Brontavel") for the control window; false when the shell refuses.
// - Remove: takes the icon away; harmless when it is not there.
// - ShellRestartMessage: the message the shell broadcasts when it has (re)started and every icon
//   must be added again; 0 when there is none.
// - CursorPosition: where the mouse is, in screen coordinates.
// - BringOwnerToForeground: makes the control window the foreground window, which a popup menu's
//   owner must be for the menu to close when the user clicks elsewhere.
// - TrackMenu: shows the tray menu with its bottom-right corner at the point, items chosen with the
//   left button, and returns when it closes; the chosen item arrives later as WM_COMMAND.
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;

  virtual bool Add() = 0;
  virtual void Remove() = 0;
  virtual unsigned ShellRestartMessage() = 0;
  virtual ScreenPoint CursorPosition() = 0;
  virtual void BringOwnerToForeground() = 0;
  virtual void TrackMenu(ScreenPoint at) = 0;
};

}  // namespace brontavel
