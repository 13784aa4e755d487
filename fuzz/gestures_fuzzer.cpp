// Arbitrary sequences of joystick reports, timer expiries and settings changes, run through the real
// recogniser and auto-repeat: LastDirection must stay within 0..8, the repeat timer must be armed
// exactly while a direction is held, every command run must be one the bindings hold, and a repeat
// may only ever press a key.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/remote_fixture.h"

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
  using namespace brontavel;
  test::Remote program;
  Settings& settings = program.settings;
  Input in(data, size);
  while (in.More()) {
    const std::size_t ran = program.runs.size();
    const unsigned what = in.Byte() % 6;
    switch (what) {
      case 0: {
        const unsigned buttons = in.Byte() % 3 == 0 ? 8 : in.Byte() & 0xF;
        const unsigned x = in.Position(), y = in.Position();
        program.Move(buttons, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
        break;
      }
      case 1: program.recogniser.HandleButtonDown(in.ButtonValue(true)); break;
      case 2: program.recogniser.HandleButtonUp(in.ButtonValue(false)); break;
      case 3: program.timer.Advance(in.Byte() * 4); break;
      case 4: settings.EventAssignmentTable[static_cast<int>(in.Byte() % 15) + 1] = static_cast<int>(in.Byte() % 40) - 2; break;
      case 5: (in.Byte() % 2 ? settings.RepeatRate : settings.RepeatDelay) = static_cast<int>(in.Word() % 700) - 100; break;
    }
    const GestureState& state = program.state;
    Check(state.LastDirection >= 0 && state.LastDirection <= 8, "LastDirection stays within 0..8");
    Check(program.timer.IsArmed() == (state.LastDirection != 0), "the timer runs exactly while a direction is held");
    const auto& bindings = settings.EventAssignmentTable.entries;
    for (std::size_t i = ran; i < program.runs.size(); ++i) {
      const CommandId command = program.runs[i].second;
      Check(std::find(bindings.begin(), bindings.end(), command) != bindings.end(), "only bound commands run");
      Check(what != 3 || IsKeystrokeCommand(command), "a repeat only ever presses a key");
    }
  }
  return 0;
}
