#pragma once

#include <string>
#include <vector>

#include "input/gesture_outputs.h"

namespace brontavel::test {

// Records what the recogniser asked for, one readable line per request, so that tests can compare
// whole sequences with an expected table.
class RecordingGestureOutputs final : public GestureOutputs {
 public:
  void RunCommand(CommandId id) override { log.push_back("run " + std::to_string(id)); }
  void SetStatusTitle(const char* text) override { log.push_back(std::string("title ") + text); }
  void StartRepeat() override { log.push_back("start-repeat"); }
  void StopRepeat() override { log.push_back("stop-repeat"); }

  std::vector<std::string> log;
};

}  // namespace brontavel::test
