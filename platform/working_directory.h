#pragma once

#include <string>

namespace brontavel {

// The process's current directory, where the settings file and the player's shortcut live.
//
// Contract:
// - Current: the directory as the platform reports it, whatever its length, with no separator added
//   or removed (a drive's root keeps its trailing backslash).
// - Change: makes directory the current one; false when it cannot.
class WorkingDirectory {
 public:
  virtual ~WorkingDirectory() = default;

  virtual std::string Current() = 0;
  virtual bool Change(const std::string& directory) = 0;
};

}  // namespace brontavel
