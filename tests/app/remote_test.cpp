#include "app/remote.h"

#include <algorithm>
#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/remote_harness.h"

namespace brontavel {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::RemoteHarness;
using KeyPress = test::TimedWindowSystem::KeyPress;

constexpr std::uint16_t kMid = 32768;

// ---- A held direction over time, on the virtual clock -------------------------------------------

struct At {
  std::uint64_t time;
  std::function<void(RemoteHarness&)> action;
};
void Left(RemoteHarness& h) { h.Move(1000, kMid); }
void LeftAgain(RemoteHarness& h) { h.Move(4000, 20000); }
void Up(RemoteHarness& h) { h.Move(kMid, 1000); }
void FnLeft(RemoteHarness& h) { h.Move(2000, kMid, 0x8); }
void Centre(RemoteHarness& h) { h.Move(kMid, kMid); }
void Corner(RemoteHarness& h) { h.Move(0, 0); }

struct Timeline {
  const char* name;
  std::vector<At> steps;
  std::uint64_t until;
  // Key presses as (time, key); the target window is checked separately.
  std::vector<std::pair<std::uint64_t, unsigned>> expected;
};
void PrintTo(const Timeline& t, std::ostream* os) { *os << t.name; }

class RepeatTimelineTest : public ::testing::TestWithParam<Timeline> {};

TEST_P(RepeatTimelineTest, PressesTheKeysAtTheseTimes) {
  RemoteHarness h;
  test::SimulatedPlayer player(h.simulated);
  h.remote.FindPlayerWindows();
  for (const At& step : GetParam().steps) {
    h.timer.Advance(step.time - h.timer.Now());
    step.action(h);
  }
  h.timer.Advance(GetParam().until - h.timer.Now());

  std::vector<std::pair<std::uint64_t, unsigned>> got;
  for (const KeyPress& press : h.windows.presses) got.emplace_back(press.time, press.key);
  EXPECT_THAT(got, ElementsAreArray(GetParam().expected));
}

constexpr unsigned Z = 'Z', B = 'B', X = 'X', kUp = 0x26, kLeft = 0x25;

INSTANTIATE_TEST_SUITE_P(
    Defaults, RepeatTimelineTest,
    ::testing::Values(
        Timeline{"HeldLeftRepeatsAfterTheDelayThenAtTheRate", {{0, Left}, {650, Centre}}, 1000,
                 {{0, Z}, {300, Z}, {400, Z}, {500, Z}, {600, Z}}},
        Timeline{"ReportsInTheSameZoneKeepThePhase", {{0, Left}, {250, LeftAgain}, {350, LeftAgain}, {520, Centre}},
                 1000, {{0, Z}, {300, Z}, {400, Z}, {500, Z}}},
        Timeline{"ANewDirectionRunsAtOnceAndWaitsTheDelayAgain", {{0, Left}, {350, Up}, {860, Centre}}, 1000,
                 {{0, Z}, {300, Z}, {350, kUp}, {650, kUp}, {750, kUp}, {850, kUp}}},
        Timeline{"ACornerStopsLikeTheCentre", {{0, Left}, {310, Corner}}, 1000, {{0, Z}, {300, Z}}},
        Timeline{"FnJoinsTheHoldOnlyWithTheNextReport", {{0, Left}, {150, FnLeft}, {560, Centre}}, 1000,
                 {{0, Z}, {150, kLeft}, {450, kLeft}, {550, kLeft}}},
        Timeline{"AButtonPressDoesNotStopTheRepeat",
                 {{0, Left}, {350, [](RemoteHarness& h) { h.remote.OnButtonDown(0x101); }}, {420, Centre}}, 1000,
                 {{0, Z}, {300, Z}, {350, X}, {400, Z}}},
        Timeline{"ANewRateCountsFromTheNextTick",
                 {{0, Left}, {320, [](RemoteHarness& h) { h.remote.settings().RepeatRate = 50; }}, {560, Centre}},
                 1000, {{0, Z}, {300, Z}, {400, Z}, {450, Z}, {500, Z}, {550, Z}}},
        Timeline{"ANewDelayWaitsForTheNextDirection",
                 {{0, Left},
                  {100, [](RemoteHarness& h) { h.remote.settings().RepeatDelay = 1000; }},
                  {450, Centre},
                  {500, Left},
                  {1550, Centre}},
                 2000, {{0, Z}, {300, Z}, {400, Z}, {500, Z}, {1500, Z}}},
        Timeline{"ANewBindingIsUsedByTheNextTick",
                 {{0, Left},
                  {350, [](RemoteHarness& h) { h.remote.settings().EventAssignmentTable[1] = 4; }},
                  {520, Centre}},
                 1000, {{0, Z}, {300, Z}, {400, B}, {500, B}}}));

// ---- Commands that are not keystrokes run once per hold ------------------------------------------

TEST(RemoteTest, HoldingADirectionBoundToAnActionRunsItOnlyOnce) {
  RemoteHarness h;
  h.remote.settings().EventAssignmentTable[1] = 23;  // Exit/Start Winamp
  h.remote.settings().EventAssignmentTable[2] = 27;  // Execute/Open File 2
  h.remote.settings().EventAssignmentTable[3] = 25;  // Poweroff CPU

  Left(h);
  h.timer.Advance(2000);
  h.Move(65000, kMid);  // Right
  h.timer.Advance(2000);
  Up(h);
  h.timer.Advance(2000);

  EXPECT_EQ(h.shell.opened, (std::vector<RecordingDesktopShell::Opened>{{"Winamp.Lnk", 8}, {"", 5}}));
  EXPECT_EQ(std::count(h.os.calls.begin(), h.os.calls.end(), "exit-windows flags 8 reserved 0"), 1);
  EXPECT_TRUE(h.timer.IsArmed()) << "the hold itself goes on, so a binding changed meanwhile can repeat";
}

TEST(RemoteTest, ANothingBindingArmsAndTicksWithoutEffect) {
  RemoteHarness h;
  test::SimulatedPlayer player(h.simulated);
  h.remote.FindPlayerWindows();
  h.remote.settings().EventAssignmentTable[1] = 0;
  Left(h);
  h.timer.Advance(1000);
  EXPECT_THAT(h.windows.presses, IsEmpty());
  EXPECT_EQ(h.timer.TickTimes().size(), 8u);
}

}  // namespace
}  // namespace brontavel
