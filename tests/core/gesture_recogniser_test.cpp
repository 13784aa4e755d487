#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "remote_fixture.h"

namespace brontavel {
namespace {

using ::testing::ElementsAreArray;
using test::Remote;

constexpr std::uintptr_t kNone = 0;
constexpr std::uintptr_t kOnly4 = kJoyButton4;
constexpr std::uint16_t kMid = 32768;

// ---- Zones -------------------------------------------------------------------------------------

struct ZoneCase {
  std::uintptr_t buttons;
  std::uint16_t x, y;
  int direction;
  bool fnConsumedAfter;
};

// A readable, stable test name: "X4999Y32768IsLeft", "Button4HeldX4999Y32768IsFnLeft".
void PrintTo(const ZoneCase& c, std::ostream* os) {
  if (c.buttons != kNone) *os << (c.buttons == kOnly4 ? "Button4" : "Buttons" + std::to_string(c.buttons)) << "Held";
  std::string label = c.direction == 0 ? "Nothing" : JoystickEventLabel(c.direction);
  std::erase(label, '+');
  *os << 'X' << c.x << 'Y' << c.y << "Is" << label;
}

class ClassifyMoveTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(ClassifyMoveTest, YieldsTheZoneAndMarksFn) {
  const ZoneCase& c = GetParam();
  Remote r;
  EXPECT_EQ(r.recogniser.ClassifyMove(c.buttons, c.x, c.y), c.direction)
      << "buttons " << c.buttons << " at (" << c.x << ", " << c.y << ")";
  EXPECT_EQ(r.state.FnConsumed, c.fnConsumedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    EdgesOfEveryZone, ClassifyMoveTest,
    ::testing::Values(
        // Left: x < 5000, 5000 < y < 60000; Right: x > 60000
        ZoneCase{kNone, 4999, kMid, 1, false}, ZoneCase{kNone, 0, 5001, 1, false}, ZoneCase{kNone, 0, 59999, 1, false},
        ZoneCase{kNone, 5000, kMid, 0, false}, ZoneCase{kNone, 4999, 5000, 0, false},
        ZoneCase{kNone, 4999, 60000, 0, false}, ZoneCase{kNone, 60001, 5001, 2, false},
        ZoneCase{kNone, 65535, 59999, 2, false}, ZoneCase{kNone, 60000, kMid, 0, false},
        ZoneCase{kNone, 60001, 5000, 0, false}, ZoneCase{kNone, 60001, 60000, 0, false},
        // Up: y < 5000 (stick pushed away), 5000 < x < 60000; Down: y > 60000
        ZoneCase{kNone, kMid, 4999, 3, false}, ZoneCase{kNone, 5001, 0, 3, false}, ZoneCase{kNone, 59999, 0, 3, false},
        ZoneCase{kNone, kMid, 5000, 0, false}, ZoneCase{kNone, 5000, 0, 0, false}, ZoneCase{kNone, 60000, 0, 0, false},
        ZoneCase{kNone, kMid, 60001, 4, false}, ZoneCase{kNone, kMid, 65535, 4, false},
        ZoneCase{kNone, kMid, 60000, 0, false}, ZoneCase{kNone, 5000, 65535, 0, false},
        // Diagonals and the centre yield nothing
        ZoneCase{kNone, 0, 0, 0, false}, ZoneCase{kNone, 65535, 65535, 0, false}, ZoneCase{kNone, kMid, kMid, 0, false},
        // Only button 4 held: the Fn family, and Fn is used even in the centre
        ZoneCase{kOnly4, 4999, kMid, 5, true}, ZoneCase{kOnly4, 60001, kMid, 6, true},
        ZoneCase{kOnly4, kMid, 4999, 7, true}, ZoneCase{kOnly4, kMid, 60001, 8, true},
        ZoneCase{kOnly4, kMid, kMid, 0, true},
        // Any other button set is the plain family and leaves Fn alone
        ZoneCase{kJoyButton1 | kJoyButton4, 4999, kMid, 1, false}, ZoneCase{kJoyButton2, kMid, 4999, 3, false}));

// ---- Report sequences --------------------------------------------------------------------------

struct Report {
  enum Kind { Move, Down, Up, PadGone } kind;
  std::uintptr_t value;  // buttons for Move, the report value otherwise
  std::uint16_t x = kMid, y = kMid;
};
Report MoveTo(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y) { return {Report::Move, buttons, x, y}; }
Report Press(std::uintptr_t value) { return {Report::Down, value}; }
Report Release(std::uintptr_t value) { return {Report::Up, value}; }
const Report kPadGone = {Report::PadGone, 0};
const Report kLeft = MoveTo(kNone, 1000, kMid);
const Report kLeftAgain = MoveTo(kNone, 3000, 20000);
const Report kUp = MoveTo(kNone, kMid, 1000);
const Report kCentre = MoveTo(kNone, kMid, kMid);

struct Sequence {
  const char* name;
  bool fnConsumedBefore;
  std::vector<Report> reports;
  std::vector<std::string> expected;  // with the default bindings
  int lastDirectionAfter;
  bool fnConsumedAfter;
};
void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }

class ReportSequenceTest : public ::testing::TestWithParam<Sequence> {};

TEST_P(ReportSequenceTest, RunsTheBoundCommandsInOrder) {
  const Sequence& s = GetParam();
  Remote r;
  r.state.FnConsumed = s.fnConsumedBefore;
  for (const Report& report : s.reports) {
    if (report.kind == Report::Move) r.Move(report.value, report.x, report.y);
    if (report.kind == Report::Down) r.recogniser.HandleButtonDown(report.value);
    if (report.kind == Report::Up) r.recogniser.HandleButtonUp(report.value);
    if (report.kind == Report::PadGone) r.recogniser.Rest();
  }
  EXPECT_THAT(r.log, ElementsAreArray(s.expected));
  EXPECT_EQ(r.state.LastDirection, s.lastDirectionAfter);
  EXPECT_EQ(r.state.FnConsumed, s.fnConsumedAfter);
  EXPECT_EQ(r.armed, s.lastDirectionAfter != 0) << "the repeat runs exactly while a direction is held";
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, ReportSequenceTest,
    ::testing::Values(
        Sequence{"SameZoneTwiceRunsOnce", false, {kLeft, kLeftAgain}, {"run 5"}, 1, false},
        Sequence{"NewDirectionRunsAtOnce", false, {kLeft, kUp}, {"run 5", "run 8"}, 3, false},
        Sequence{"CentreBetweenRunsTwice", false, {kLeft, kCentre, kLeft}, {"run 5", "run 5"}, 1, false},
        Sequence{"CornerStopsLikeCentre", false, {kLeft, MoveTo(kNone, 0, 0)}, {"run 5"}, 0, false},
        Sequence{"Fn4AddedWhileHeldLeftSwitchesToFnLeft", false, {kLeft, MoveTo(kOnly4, 3000, 20000)},
                 {"run 5", "run 10"}, 5, true},
        Sequence{"FnInTheCentreSuppressesButton4", false, {Press(0x808), MoveTo(kOnly4, kMid, kMid), Release(0x800)},
                 {"title button pressed"}, 0, true},
        Sequence{"Button4AloneFiresOnRelease", false, {Press(0x808), Release(0x800)},
                 {"title button pressed", "title Button 4 pressed", "run 12"}, 0, false},
        Sequence{"LonePressOf4ClearsAnEarlierFnUse", true, {Press(0x808), Release(0x800)},
                 {"title button pressed", "title Button 4 pressed", "run 12"}, 0, false},
        Sequence{"FnButton1ThenReleases", false, {Press(0x808), Press(0x109), Release(0x108), Release(0x800)},
                 {"title button pressed", "title Button 1 & 4 pressed", "run 21"}, 0, true},
        Sequence{"FourPressedAfterOneLeavesFnAsItWas", false,
                 {Press(0x101), Press(0x809), Release(0x108), Release(0x800)},
                 {"title Button 1 pressed", "run 1", "title button pressed", "title Button 4 pressed", "run 12"}, 0,
                 false},
        Sequence{"FourPressedAfterOneAfterAnFnUse", true, {Press(0x101), Press(0x809), Release(0x108), Release(0x800)},
                 {"title Button 1 pressed", "run 1", "title button pressed"}, 0, true},
        Sequence{"OtherPressesAreNoGesture", false, {Press(0x203), Press(0x909)},
                 {"title button pressed", "title button pressed"}, 0, false},
        // The pad went away and came back: nothing runs, a held direction is taken afresh, and a
        // release of button 4 seen without its press is no press.
        Sequence{"PadGoneWhileLeftHeldThenLeftRunsAgain", false, {kLeft, kPadGone, kLeft}, {"run 5", "run 5"}, 1, true},
        Sequence{"PadGoneWhileButton4HeldItsReleaseRunsNothing", false, {Press(0x808), kPadGone, Release(0x800)},
                 {"title button pressed"}, 0, true},
        Sequence{"PadGoneThenALonePressOf4Counts", false, {kPadGone, Press(0x808), Release(0x800)},
                 {"title button pressed", "title Button 4 pressed", "run 12"}, 0, false},
        Sequence{"ReleasesOtherThanLone4DoNothing", false,
                 {Release(0x100), Release(0x200), Release(0x400), Release(0x801), Release(0x808)}, {}, 0, false}));

}  // namespace
}  // namespace brontavel
