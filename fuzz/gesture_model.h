#pragma once

// An independent reference model of the gesture recogniser and the auto-repeat, written from their
// description rather than from their code: plain integers, a virtual clock, and the list of
// commands that should run, with their times.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace brontavel::model {

struct Model {
  int held = 0;          // the direction held, 0 for none
  bool fnUsed = false;   // button 4 has served as Fn since its last lone press
  bool armed = false;    // the repeat timer
  std::uint64_t now = 0, due = 0;
  std::uint32_t period = 0;
  std::int32_t rate = 100, delay = 300;
  std::int32_t binding[16] = {0, 5, 4, 8, 9, 10, 11, 13, 14, 1, 2, 15, 12, 21, 19, 23};
  std::vector<std::pair<std::uint64_t, std::int32_t>> ran;  // (time, command) of every command run

  static std::uint32_t TimerPeriod(std::int32_t ms) {
    return std::clamp<std::uint32_t>(static_cast<std::uint32_t>(ms), 10u, 0x7FFFFFFFu);
  }
  void Arm(std::int32_t ms) {
    armed = true;
    period = TimerPeriod(ms);
    due = now + period;
  }
  void Run(int event) { ran.emplace_back(now, binding[event]); }

  static int Zone(unsigned x, unsigned y) {
    const bool xBand = 5000 < x && x < 60000, yBand = 5000 < y && y < 60000;
    if (yBand && x < 5000) return 1;
    if (yBand && x > 60000) return 2;
    if (xBand && y < 5000) return 3;
    if (xBand && y > 60000) return 4;
    return 0;
  }

  void Move(unsigned buttons, unsigned x, unsigned y) {
    int direction = Zone(x, y);
    if (buttons == 8) {
      fnUsed = true;
      if (direction) direction += 4;
    }
    if (!direction) {
      held = 0;
      armed = false;
    } else if (direction != held) {
      held = direction;
      Run(direction);
      Arm(delay);
    }
  }

  void Down(unsigned value) {
    switch (value) {
      case 0x101: Run(9); break;
      case 0x202: Run(10); break;
      case 0x404: Run(11); break;
      case 0x109: fnUsed = true; Run(13); break;
      case 0x20A: fnUsed = true; Run(14); break;
      case 0x40C: fnUsed = true; Run(15); break;
      case 0x808: fnUsed = false; break;
      default: break;
    }
  }

  void Up(unsigned value) {
    if (value == 0x800 && !fnUsed) Run(12);
  }

  // Time passes; ticks fall due one after another. Only key commands (1..22) repeat.
  void Advance(std::uint64_t ms) {
    const std::uint64_t end = now + ms;
    while (armed && due <= end) {
      now = due;
      if (held == 0) {
        armed = false;
        break;
      }
      Arm(rate);
      const std::int32_t command = binding[held];
      if (command >= 1 && command <= 22) ran.emplace_back(now, command);
    }
    now = end;
  }
};

}  // namespace brontavel::model
