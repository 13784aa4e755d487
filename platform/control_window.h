#pragma once

namespace brontavel {

// The program's own hidden window, which receives every joystick, tray and timer message.
//
// Contract:
// - SetTitle: replaces the window's title; being hidden, the title serves only as a status line.
// - PostToSelf: queues a message (wParam and lParam 0) for the window and returns at once; it is
//   handled when the message loop next gets to it.
class ControlWindow {
 public:
  virtual ~ControlWindow() = default;

  virtual void SetTitle(const char* text) = 0;
  virtual void PostToSelf(unsigned message) = 0;
};

}  // namespace brontavel
