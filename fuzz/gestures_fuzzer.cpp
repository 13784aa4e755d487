// Arbitrary sequences of joystick reports, timer expiries and settings changes, run through the real
// recogniser and auto-repeat and through an independent model: the same commands must run at the
// same times, LastDirection must stay within 0..8, and the repeat timer must be armed exactly while
// a direction is held.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/settings.h"
#include "gesture_model.h"
#include "input/auto_repeat.h"
#include "input/gesture_recogniser.h"
#include "platform/host/fake_repeat_timer.h"

namespace brontavel {
namespace {

// Writes down every action a command asks for, with the time it was asked: the program's actions
// come through the recogniser and the repeat, the model's through the same catalogue.
struct ActionLog final : CommandActions {
  explicit ActionLog(const std::uint64_t& now) : now(now) {}
  const std::uint64_t& now;
  std::vector<std::string> lines;

  void Note(const std::string& what) { lines.push_back(std::to_string(now) + " " + what); }
  void SendPlayerKey(int slot, unsigned key, unsigned modifier) override {
    Note("key " + std::to_string(slot) + " " + std::to_string(key) + " " + std::to_string(modifier));
  }
  void StartOrExitPlayer() override { Note("start-or-exit"); }
  void ShutdownComputer() override { Note("shutdown"); }
  void PowerOffComputer() override { Note("power-off"); }
  void OpenShortcut(int n) override { Note("open " + std::to_string(n)); }
};

struct Program final : GestureOutputs {
  Program(FakeRepeatTimer& timer, Settings& settings, GestureState& state)
      : log(now), repeat(timer, settings, state, log), timer(timer) {}
  std::uint64_t now = 0;
  ActionLog log;
  AutoRepeat repeat;
  FakeRepeatTimer& timer;

  void RunCommand(CommandId id) override {
    now = timer.Now();
    brontavel::RunCommand(id, log);
  }
  void SetStatusTitle(const char*) override {}
  void StartRepeat() override { repeat.StartRepeat(); }
  void StopRepeat() override { repeat.StopRepeat(); }
  void Tick() {
    now = timer.Now();
    repeat.RepeatTick();
  }
};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  unsigned Byte() { return at_ < size_ ? data_[at_++] : 0; }
  unsigned Word() { return Byte() | (Byte() << 8); }
  // Mostly the values that matter, sometimes anything.
  unsigned Position() {
    static const unsigned kEdges[] = {0, 4999, 5000, 5001, 32768, 59999, 60000, 60001, 65535};
    const unsigned pick = Byte();
    return pick < 9 * 24 ? kEdges[pick % 9] : Word();
  }
  unsigned ButtonValue(bool down) {
    static const unsigned kDown[] = {0x101, 0x109, 0x202, 0x20A, 0x404, 0x40C, 0x808, 0x809, 0x203, 0x909};
    static const unsigned kUp[] = {0x800, 0x100, 0x108, 0x200, 0x801, 0x808, 0x400};
    const unsigned pick = Byte();
    if (pick < 200) return down ? kDown[pick % 10] : kUp[pick % 7];
    return Word();
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace
}  // namespace brontavel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brontavel;
  FakeRepeatTimer timer;
  Settings settings;
  GestureState state;
  Program program(timer, settings, state);
  GestureRecogniser recogniser(state, settings.EventAssignmentTable, program);
  timer.SetTickHandler([&] { program.Tick(); });
  model::Model model;
  std::uint64_t when = 0;
  ActionLog expected(when);  // the model's commands, turned into actions as they are added
  std::size_t modelled = 0, compared = 0;

  Input in(data, size);
  while (in.More()) {
    switch (in.Byte() % 6) {
      case 0: {
        const unsigned buttons = in.Byte() % 3 == 0 ? 8 : in.Byte() & 0xF;
        const unsigned x = in.Position(), y = in.Position();
        recogniser.HandleMoveReport(buttons, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
        model.Move(buttons, x, y);
        break;
      }
      case 1: {
        const unsigned value = in.ButtonValue(true);
        recogniser.HandleButtonDown(value);
        model.Down(value);
        break;
      }
      case 2: {
        const unsigned value = in.ButtonValue(false);
        recogniser.HandleButtonUp(value);
        model.Up(value);
        break;
      }
      case 3: {
        const unsigned ms = in.Byte() * 4;
        timer.Advance(ms);
        model.Advance(ms);
        break;
      }
      case 4: {
        const int n = static_cast<int>(in.Byte() % 15) + 1;
        const std::int32_t command = static_cast<std::int32_t>(in.Byte() % 40) - 2;
        settings.EventAssignmentTable[n] = command;
        model.binding[n] = command;
        break;
      }
      case 5: {
        const std::int32_t ms = static_cast<std::int32_t>(in.Word() % 700) - 100;
        if (in.Byte() % 2) {
          settings.RepeatRate = model.rate = ms;
        } else {
          settings.RepeatDelay = model.delay = ms;
        }
        break;
      }
    }
    Check(state.LastDirection >= 0 && state.LastDirection <= 8, "LastDirection stays within 0..8");
    Check(state.LastDirection == model.held, "the program holds the direction the model holds");
    Check(state.FnConsumed == model.fnUsed, "Fn is used exactly when the model says");
    Check(timer.IsArmed() == (state.LastDirection != 0), "the timer runs exactly while a direction is held");
    for (; modelled < model.ran.size(); ++modelled) {
      when = model.ran[modelled].first;
      RunCommand(model.ran[modelled].second, expected);
    }
    Check(program.log.lines.size() == expected.lines.size(), "as many commands run as the model says");
    for (; compared < expected.lines.size(); ++compared)
      Check(program.log.lines[compared] == expected.lines[compared], "the same commands run at the same times");
  }
  return 0;
}
