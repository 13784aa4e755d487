#pragma once

namespace brontavel {

// The program's few error and warning boxes: application-modal, without an owner window, with a
// single OK button and no icon. Show returns once the user has dismissed the box; while it is open
// the thread's messages keep being dispatched, so the remote keeps working.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  virtual void Show(const char* text, const char* caption) = 0;
};

}  // namespace brontavel
