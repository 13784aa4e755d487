#pragma once

#include <windows.h>

#include "platform/control_window.h"

namespace brontavel {

// The hidden control window over USER32. Its window procedure is the entry point's; the other Win32
// adapters ask this one for the window and the program's icon.
class Win32ControlWindow final : public ControlWindow {
 public:
  Win32ControlWindow(HINSTANCE instance, WNDPROC procedure);

  HWND hwnd() const { return window_; }
  HINSTANCE instance() const { return instance_; }
  HICON icon() const { return icon_; }

  bool RegisterWindowClass() override;
  bool CreateHidden() override;
  void SetTitle(const char* text) override;
  void PostToSelf(unsigned message) override;
  void Destroy() override;
  void UnregisterWindowClass() override;

 private:
  HINSTANCE instance_;
  WNDPROC procedure_;
  HICON icon_;
  HWND window_ = nullptr;
};

}  // namespace brontavel
