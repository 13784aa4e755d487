#pragma once

#include <string>
#include <vector>

#include "platform/control_window.h"

namespace brontavel {

// A control window that exists only as a record of what was asked of it.
class RecordingControlWindow final : public ControlWindow {
 public:
  bool RegisterWindowClass() override { return Note("register-class", registerSucceeds); }
  bool CreateHidden() override { return Note("create-window", createSucceeds); }
  void SetTitle(const char* text) override { titles.push_back(text); }
  void PostToSelf(unsigned message) override { posted.push_back(message); }
  void Destroy() override { Note("destroy-window", true); }
  void UnregisterWindowClass() override { Note("unregister-class", true); }

  bool registerSucceeds = true;
  bool createSucceeds = true;
  std::vector<std::string> calls;   // everything but titles and posts, in order
  std::vector<std::string> titles;
  std::vector<unsigned> posted;

 private:
  bool Note(const char* call, bool result) {
    calls.push_back(call);
    return result;
  }
};

}  // namespace brontavel
