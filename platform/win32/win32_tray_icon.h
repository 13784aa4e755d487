#pragma once

#include "platform/tray_icon.h"
#include "platform/win32/win32_control_window.h"

namespace brontavel {

// The notification-area icon over Shell_NotifyIconA, and the tray menu (resource 104).
class Win32TrayIcon final : public TrayIcon {
 public:
  explicit Win32TrayIcon(const Win32ControlWindow& owner) : owner_(owner) {}

  bool Add() override;
  void Remove() override;
  unsigned ShellRestartMessage() override;
  ScreenPoint CursorPosition() override;
  void BringOwnerToForeground() override;
  void TrackMenu(ScreenPoint at) override;

 private:
  const Win32ControlWindow& owner_;
};

}  // namespace brontavel
