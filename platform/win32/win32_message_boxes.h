#pragma once

#include "platform/message_boxes.h"

namespace brontavel {

class Win32MessageBoxes final : public MessageBoxes {
 public:
  void Show(const char* text, const char* caption) override;
};

}  // namespace brontavel
