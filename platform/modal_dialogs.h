#pragma once

namespace brontavel {

// The program's two dialogs, each shown modally over the control window; each call returns when the
// user has closed the dialog. While one is open, the thread's messages keep being dispatched, so the
// remote works on, and a second dialog can be opened from the tray.
class ModalDialogs {
 public:
  virtual ~ModalDialogs() = default;

  virtual void ShowOptions() = 0;
  virtual void ShowAbout() = 0;
};

}  // namespace brontavel
