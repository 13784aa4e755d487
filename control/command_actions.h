#pragma once

namespace brontavel {

// What the commands of the catalogue can do. RunCommand calls exactly one of these per command;
// nobody reads a result, so none is returned.
class CommandActions {
 public:
  virtual ~CommandActions() = default;

  // Presses key in the player window of slot (0 Main, 1 PE, 2 EQ, 3 MB), holding modifier around
  // it when modifier is not 0.
  virtual void SendPlayerKey(int slot, unsigned key, unsigned modifier) = 0;
  virtual void StartOrExitPlayer() = 0;
  virtual void ShutdownComputer() = 0;
  virtual void PowerOffComputer() = 0;
  // Opens the file chosen for shortcut n, 1..9.
  virtual void OpenShortcut(int n) = 0;
};

}  // namespace brontavel
