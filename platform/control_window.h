#pragma once

namespace brontavel {

// The program's own hidden window, class "Brontavel", which receives every joystick, tray and menu
// message. Only one copy of the program runs, so there is only ever one.
//
// Contract:
// - RegisterWindowClass: registers the class with the program's icon; false when Windows refuses.
// - CreateHidden: creates the window (title "Brontavel", 160 x 22, system menu only) and hides it at
//   once; false when Windows refuses. It is never shown.
// - SetTitle: replaces the window's title; being hidden, the title serves only as a status line.
// - PostToSelf: queues a message (wParam and lParam 0) for the window and returns at once.
// - Destroy, UnregisterWindowClass: undo the first two, at shut-down.
class ControlWindow {
 public:
  virtual ~ControlWindow() = default;

  virtual bool RegisterWindowClass() = 0;
  virtual bool CreateHidden() = 0;
  virtual void SetTitle(const char* text) = 0;
  virtual void PostToSelf(unsigned message) = 0;
  virtual void Destroy() = 0;
  virtual void UnregisterWindowClass() = 0;
};

}  // namespace brontavel
