#pragma once

#include "platform/desktop_shell.h"

namespace brontavel {

class Win32DesktopShell final : public DesktopShell {
 public:
  void Open(const char* file, int showCommand) override;
  void PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) override;
};

}  // namespace brontavel
