#pragma once

#include <string>
#include <vector>

#include "platform/control_window.h"

namespace brontavel {

// A control window that remembers its titles and the messages posted to it.
class RecordingControlWindow final : public ControlWindow {
 public:
  void SetTitle(const char* text) override { titles.push_back(text); }
  void PostToSelf(unsigned message) override { posted.push_back(message); }

  std::vector<std::string> titles;
  std::vector<unsigned> posted;
};

}  // namespace brontavel
