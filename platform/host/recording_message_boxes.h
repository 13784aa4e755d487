#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace brontavel {

// Message boxes that are "dismissed" at once and remembered. whileOpen, when set, runs while a box
// is showing, as a box's own message loop would run whatever arrives meanwhile.
class RecordingMessageBoxes final : public MessageBoxes {
 public:
  struct Box {
    std::string text;
    std::string caption;
    bool operator==(const Box&) const = default;
  };

  void Show(const char* text, const char* caption) override {
    shown.push_back({text, caption});
    if (whileOpen) whileOpen();
  }

  std::vector<Box> shown;
  std::function<void()> whileOpen;
};

}  // namespace brontavel
