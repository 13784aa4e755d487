#pragma once

#include <string>
#include <vector>

#include "platform/working_directory.h"

namespace brontavel::test {

// A working directory that is whatever the test says, remembering every change asked of it.
class FixedWorkingDirectory final : public WorkingDirectory {
 public:
  explicit FixedWorkingDirectory(std::string directory) : directory(std::move(directory)) {}

  std::string Current() override { return directory; }
  bool Change(const std::string& to) override {
    changes.push_back(to);
    directory = to;
    return true;
  }

  std::string directory;
  std::vector<std::string> changes;
};

}  // namespace brontavel::test
