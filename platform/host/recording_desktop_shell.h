#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop_shell.h"

namespace brontavel {

// A desktop shell that only remembers what it was asked to open and to post.
class RecordingDesktopShell final : public DesktopShell {
 public:
  struct Opened {
    std::string file;
    int showCommand;
    bool operator==(const Opened&) const = default;
  };
  struct Posted {
    WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Posted&) const = default;
  };

  void Open(const char* file, int showCommand) override { opened.push_back({file, showCommand}); }
  void PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) override {
    posted.push_back({window, message, wParam, lParam});
  }

  std::vector<Opened> opened;
  std::vector<Posted> posted;
};

}  // namespace brontavel
