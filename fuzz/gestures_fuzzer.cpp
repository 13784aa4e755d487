// Arbitrary sequences of joystick reports, timer expiries and settings changes, run through the real
// recogniser and auto-repeat and through an independent model: the same commands must run at the
// same times, LastDirection must stay within 0..8, and the repeat timer must be armed exactly while
// a direction is held.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/remote_fixture.h"
#include "gesture_model.h"

namespace {

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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  brontavel::test::Remote program;
  brontavel::model::Model model;
  Input in(data, size);
  while (in.More()) {
    switch (in.Byte() % 6) {
      case 0: {
        const unsigned buttons = in.Byte() % 3 == 0 ? 8 : in.Byte() & 0xF;
        const unsigned x = in.Position(), y = in.Position();
        program.Move(buttons, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
        model.Move(buttons, x, y);
        break;
      }
      case 1: {
        const unsigned value = in.ButtonValue(true);
        program.recogniser.HandleButtonDown(value);
        model.Down(value);
        break;
      }
      case 2: {
        const unsigned value = in.ButtonValue(false);
        program.recogniser.HandleButtonUp(value);
        model.Up(value);
        break;
      }
      case 3: {
        const unsigned ms = in.Byte() * 4;
        program.timer.Advance(ms);
        model.Advance(ms);
        break;
      }
      case 4: {
        const int n = static_cast<int>(in.Byte() % 15) + 1;
        const std::int32_t command = static_cast<std::int32_t>(in.Byte() % 40) - 2;
        program.settings.EventAssignmentTable[n] = model.binding[n] = command;
        break;
      }
      case 5: {
        const std::int32_t ms = static_cast<std::int32_t>(in.Word() % 700) - 100;
        if (in.Byte() % 2) {
          program.settings.RepeatRate = model.rate = ms;
        } else {
          program.settings.RepeatDelay = model.delay = ms;
        }
        break;
      }
    }
    const brontavel::GestureState& state = program.state;
    Check(state.LastDirection >= 0 && state.LastDirection <= 8, "LastDirection stays within 0..8");
    Check(state.LastDirection == model.held, "the program holds the direction the model holds");
    Check(state.FnConsumed == model.fnUsed, "Fn is used exactly when the model says");
    Check(program.timer.IsArmed() == (state.LastDirection != 0), "the timer runs exactly while a direction is held");
    Check(program.runs == model.ran, "the same commands run at the same times");
  }
  return 0;
}
