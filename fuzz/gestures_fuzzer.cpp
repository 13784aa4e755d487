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

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brontavel;
  // Mostly the values that matter, sometimes anything.
  static const std::uint16_t kEdges[] = {0, 4999, 5000, 5001, 32768, 59999, 60000, 60001, 65535};
  static const unsigned kReports[] = {0x101, 0x109, 0x202, 0x20A, 0x404, 0x40C, 0x808, 0x809, 0x203, 0x909,
                                      0x800, 0x100, 0x108, 0x200, 0x801, 0x400};
  std::size_t at = 0;
  auto byte = [&] { return at < size ? data[at++] : 0u; };
  auto word = [&] { return static_cast<std::uint16_t>(byte() | byte() << 8); };
  auto position = [&] { const unsigned pick = byte(); return pick < 216 ? kEdges[pick % 9] : word(); };
  auto report = [&] { const unsigned pick = byte(); return pick < 224 ? kReports[pick % 16] : word(); };
  test::Remote program;
  Settings& settings = program.settings;
  while (at < size) {
    const std::size_t ran = program.runs.size();
    const unsigned what = byte() % 6;
    switch (what) {
      case 0: {
        const unsigned buttons = byte() % 3 == 0 ? 8 : byte() & 0xF;
        const std::uint16_t x = position(), y = position();
        program.Move(buttons, x, y);
        break;
      }
      case 1: program.recogniser.HandleButtonDown(report()); break;
      case 2: program.recogniser.HandleButtonUp(report()); break;
      case 3: program.Advance(byte() * 4); break;
      case 4: settings.EventAssignmentTable[static_cast<int>(byte() % 15) + 1] = static_cast<int>(byte() % 40) - 2; break;
      case 5: (byte() % 2 ? settings.RepeatRate : settings.RepeatDelay) = static_cast<int>(word() % 700) - 100; break;
    }
    Check(program.state.LastDirection >= 0 && program.state.LastDirection <= 8, "LastDirection stays within 0..8");
    Check(program.armed == (program.state.LastDirection != 0), "the timer runs exactly while a direction is held");
    const auto& bindings = settings.EventAssignmentTable.entries;
    for (std::size_t i = ran; i < program.runs.size(); ++i) {
      const CommandId command = program.runs[i].second;
      Check(std::find(bindings.begin(), bindings.end(), command) != bindings.end(), "only bound commands run");
      Check(what != 3 || IsKeystrokeCommand(command), "a repeat only ever presses a key");
    }
  }
  return 0;
}
