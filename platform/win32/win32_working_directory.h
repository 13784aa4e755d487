#pragma once

#include "platform/working_directory.h"

namespace brontavel {

// The current directory through GetCurrentDirectoryA / SetCurrentDirectoryA, asked for its length
// first so that no directory is too long for the buffer.
class Win32WorkingDirectory final : public WorkingDirectory {
 public:
  std::string Current() override;
  bool Change(const std::string& directory) override;
};

}  // namespace brontavel
