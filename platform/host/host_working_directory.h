#pragma once

#include "platform/working_directory.h"

namespace brontavel {

// The process's own current directory (getcwd / chdir), whatever its length.
class HostWorkingDirectory final : public WorkingDirectory {
 public:
  std::string Current() override;
  bool Change(const std::string& directory) override;
};

}  // namespace brontavel
