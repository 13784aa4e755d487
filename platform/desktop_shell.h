#pragma once

#include <cstdint>

#include "platform/window_handle.h"

namespace brontavel {

// Show commands, as ShellExecuteA takes them.
inline constexpr int kShowNormal = 5;          // SW_SHOW
inline constexpr int kShowNotActivated = 8;    // SW_SHOWNA

// Requests handed to other programs without waiting for them to be carried out.
//
// Contract:
// - Open: opens file as the desktop shell does on a double-click (a document with its program, a
//   program, a shortcut's target), with no verb, parameters or working directory, so a relative
//   name is looked for in the current directory; showCommand is handed to what starts. Nothing is
//   reported back.
// - PostWindowMessage: queues a message for a window and returns at once; a message for a window
//   that does not exist is dropped.
class DesktopShell {
 public:
  virtual ~DesktopShell() = default;

  virtual void Open(const char* file, int showCommand) = 0;
  virtual void PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                 std::intptr_t lParam) = 0;
};

}  // namespace brontavel
