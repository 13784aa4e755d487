#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/gesture_recogniser.h"
#include "fake_repeat_timer.h"

namespace brontavel::test {

// The portable half of the remote, wired as the program wires it, recording what it asks for.
struct Remote final : GestureOutputs {
  Remote() { timer.onTick = [this] { repeat.RepeatTick(); }; }

  void RunCommand(CommandId id) override {
    log.push_back("run " + std::to_string(id));
    runs.emplace_back(timer.Now(), id);
  }
  void SetStatusTitle(const char* text) override { log.push_back(std::string("title ") + text); }

  void Move(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y) { recogniser.HandleMoveReport(buttons, x, y); }

  FakeRepeatTimer timer;
  Settings settings;
  GestureState state;
  AutoRepeat repeat{timer, settings, state, *this};
  GestureRecogniser recogniser{state, settings.EventAssignmentTable, repeat, *this};
  std::vector<std::string> log;                               // commands and titles, in order
  std::vector<std::pair<std::uint64_t, CommandId>> runs;      // commands with their virtual times
};

}  // namespace brontavel::test
