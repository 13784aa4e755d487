#pragma once

#include "platform/window_system.h"

namespace brontavel {

// The window system over USER32.
class Win32WindowSystem final : public WindowSystem {
 public:
  WindowHandle FindTopLevel(const char* className, const char* title) override;
  bool IsLive(WindowHandle window) override;
  WindowHandle Related(WindowHandle window, WindowRelation relation) override;
  int ReadTitle(WindowHandle window, char* buffer, int size) override;
  void Send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void Beep(unsigned soundType) override;
};

}  // namespace brontavel
