#pragma once

#include <cstdint>

#include "platform/window_handle.h"

namespace brontavel {

// Which neighbour of a window to ask for; the values are GetWindow's GW_HWNDNEXT and GW_CHILD.
enum class WindowRelation : unsigned { NextSibling = 2, FirstChild = 5 };

// The window system as the player control needs it: find the player's windows by class and title,
// tell whether a remembered window still exists, and press keys in it. Everything runs on the
// program's one thread.
//
// Contract, which every implementation keeps:
// - FindTopLevel: the first top-level window, in the window system's stacking order (topmost first),
//   whose class name equals className and, when title is not null, whose title equals title. Both are
//   compared without regard to case. kNoWindow when nothing matches.
// - IsLive: true only while the window exists; false for kNoWindow and for a destroyed window.
// - Related: FirstChild gives a window's topmost direct child, NextSibling the next window below it
//   among its siblings; kNoWindow after the last one, and for a handle that is not a live window.
// - ReadTitle: copies at most size - 1 characters of the title and a terminating zero into buffer
//   (nothing at all when size is 0) and returns the number of characters copied.
// - Send: delivers one message and returns once the target has handled it. A real window system may
//   give up on a target that has stopped responding; the caller is not told either way.
// - Beep: plays the system sound named by a MessageBeep type, such as sound::kExclamation.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual WindowHandle FindTopLevel(const char* className, const char* title) = 0;
  virtual bool IsLive(WindowHandle window) = 0;
  virtual WindowHandle Related(WindowHandle window, WindowRelation relation) = 0;
  virtual int ReadTitle(WindowHandle window, char* buffer, int size) = 0;
  virtual void Send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  virtual void Beep(unsigned soundType) = 0;
};

}  // namespace brontavel
