#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/pad_input.h"

namespace brontavel::test {

// The portable half of the remote, wired as the program wires it, recording what it asks for. Its
// repeat timer runs on a virtual clock: tests advance time instead of sleeping. Like SetTimer, it
// brings periods into 10..0x7FFFFFFF ms, goes on firing every period until stopped, and delivers
// expiries one at a time, never making up for late ones.
struct Remote final : GestureOutputs, RepeatTimer {
  void RunCommand(CommandId id) override {
    log.push_back("run " + std::to_string(id));
    runs.emplace_back(now, id);
  }
  void SetStatusTitle(const char* text) override { log.push_back(std::string("title ") + text); }
  bool GameHasTheScreen() override { return game; }
  void PausedFromThePad(bool paused) override { log.push_back(paused ? "paused" : "resumed"); }
  void Arm(std::uint32_t periodMs) override {
    period = std::clamp<std::uint32_t>(periodMs, 10, 0x7FFFFFFF);
    due = now + period;
    armed = true;
  }
  void Stop() override { armed = false; }

  // Moves the clock forward by ms, delivering every expiry that falls due on the way.
  void Advance(std::uint64_t ms) {
    const std::uint64_t end = now + ms;
    for (; armed && due <= end; due = now + period) {
      now = due;
      ticks.push_back(now);
      repeat.RepeatTick();
    }
    now = end;
  }
  void Move(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y) { recogniser.HandleMoveReport(buttons, x, y); }
  // An Xbox pad taken with everything at rest, and its triggers read where the Z axis is now.
  void TakeXboxPad() { pad.Take({}, {false, PadLayout::Xbox, 10, PadNames::Xbox}); }
  void Trigger(std::uint32_t z) { pad.Read({32768, 32768, 0, kHatCentred, z}); }

  std::uint64_t now = 0, due = 0;
  std::uint32_t period = 0;
  bool armed = false;
  bool game = false;  // a game has the whole screen
  std::vector<std::uint64_t> ticks;  // when each expiry was delivered
  Settings settings;
  GestureState state;
  AutoRepeat repeat{*this, settings, state, *this};
  GestureRecogniser recogniser{state, settings.EventAssignmentTable, repeat, *this};
  PadInput pad{recogniser, state};
  std::vector<std::string> log;                           // commands and titles, in order
  std::vector<std::pair<std::uint64_t, CommandId>> runs;  // commands with their virtual times
};

}  // namespace brontavel::test
