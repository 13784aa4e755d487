#pragma once

#include <string>
#include <vector>

#include "control/command_actions.h"

namespace brontavel::test {

// Records each action asked of it as one readable line.
class RecordingCommandActions final : public CommandActions {
 public:
  void SendPlayerKey(int slot, unsigned key, unsigned modifier) override {
    log.push_back("key slot " + std::to_string(slot) + " vk " + std::to_string(key) + " mod " +
                  std::to_string(modifier));
  }
  void StartOrExitPlayer() override { log.push_back("start-or-exit-player"); }
  void ShutdownComputer() override { log.push_back("shutdown"); }
  void PowerOffComputer() override { log.push_back("power-off"); }
  void OpenShortcut(int n) override { log.push_back("open-shortcut " + std::to_string(n)); }

  std::vector<std::string> log;
};

}  // namespace brontavel::test
