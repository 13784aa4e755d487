#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "remote_fixture.h"

namespace brontavel {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::Remote;
using Runs = std::vector<std::pair<std::uint64_t, CommandId>>;

constexpr std::uint16_t kMid = 32768;

void Left(Remote& r) { r.Move(0, 1000, kMid); }
void LeftAgain(Remote& r) { r.Move(0, 4000, 20000); }
void Right(Remote& r) { r.Move(0, 65000, kMid); }
void Up(Remote& r) { r.Move(0, kMid, 1000); }
void FnLeft(Remote& r) { r.Move(kJoyButton4, 2000, kMid); }
void Centre(Remote& r) { r.Move(0, kMid, kMid); }
void Corner(Remote& r) { r.Move(0, 0, 0); }
// An Xbox pad's triggers on its Z axis, the left toward 65535, the right toward 0.
void LeftTrigger(Remote& r) { r.Trigger(65535); }
void RightTrigger(Remote& r) { r.Trigger(0); }
void TriggersLetGo(Remote& r) { r.Trigger(kMid); }
void TakeXboxPad(Remote& r) { r.TakeXboxPad(); }

struct At {
  std::uint64_t time;
  std::function<void(Remote&)> action;
};

struct Timeline {
  const char* name;
  std::vector<At> steps;
  std::uint64_t until;
  Runs expected;  // (virtual time, command), with the default settings
};
void PrintTo(const Timeline& t, std::ostream* os) { *os << t.name; }

class RepeatTimelineTest : public ::testing::TestWithParam<Timeline> {};

TEST_P(RepeatTimelineTest, RunsTheCommandsAtTheseTimes) {
  Remote r;
  for (const At& step : GetParam().steps) {
    r.Advance(step.time - r.now);
    step.action(r);
  }
  r.Advance(GetParam().until - r.now);
  EXPECT_THAT(r.runs, ElementsAreArray(GetParam().expected));
}

// Left runs "Previous" (5), Up "Volume Up" (8), Fn+Left "Rewind" (10), Button1 "Play" (1).
INSTANTIATE_TEST_SUITE_P(
    Defaults, RepeatTimelineTest,
    ::testing::Values(
        Timeline{"HeldLeftRepeatsAfterTheDelayThenAtTheRate", {{0, Left}, {650, Centre}}, 1000,
                 {{0, 5}, {300, 5}, {400, 5}, {500, 5}, {600, 5}}},
        Timeline{"ReportsInTheSameZoneKeepThePhase", {{0, Left}, {250, LeftAgain}, {350, LeftAgain}, {520, Centre}},
                 1000, {{0, 5}, {300, 5}, {400, 5}, {500, 5}}},
        Timeline{"ANewDirectionRunsAtOnceAndWaitsTheDelayAgain", {{0, Left}, {350, Up}, {860, Centre}}, 1000,
                 {{0, 5}, {300, 5}, {350, 8}, {650, 8}, {750, 8}, {850, 8}}},
        Timeline{"ACornerStopsLikeTheCentre", {{0, Left}, {310, Corner}}, 1000, {{0, 5}, {300, 5}}},
        Timeline{"FnJoinsTheHoldOnlyWithTheNextReport", {{0, Left}, {150, FnLeft}, {560, Centre}}, 1000,
                 {{0, 5}, {150, 10}, {450, 10}, {550, 10}}},
        Timeline{"AButtonPressDoesNotStopTheRepeat",
                 {{0, Left}, {350, [](Remote& r) { r.recogniser.HandleButtonDown(0x101); }}, {420, Centre}}, 1000,
                 {{0, 5}, {300, 5}, {350, 1}, {400, 5}}},
        Timeline{"ANewRateCountsFromTheNextTick",
                 {{0, Left}, {320, [](Remote& r) { r.settings.RepeatRate = 50; }}, {560, Centre}}, 1000,
                 {{0, 5}, {300, 5}, {400, 5}, {450, 5}, {500, 5}, {550, 5}}},
        Timeline{"ANewDelayWaitsForTheNextDirection",
                 {{0, Left}, {100, [](Remote& r) { r.settings.RepeatDelay = 1000; }}, {450, Centre}, {500, Left},
                  {1550, Centre}},
                 2000, {{0, 5}, {300, 5}, {400, 5}, {500, 5}, {1500, 5}}},
        Timeline{"AHeldMediaKeyRepeatsLikeAPlayerKey",
                 {{0, [](Remote& r) { r.settings.EventAssignmentTable[1] = 39; }}, {0, Left}, {450, Centre}}, 1000,
                 {{0, 39}, {300, 39}, {400, 39}}},
        Timeline{"AnActionHeldRunsOnlyOnce",
                 {{0, [](Remote& r) { r.settings.EventAssignmentTable[1] = 23; }}, {0, Left}, {2000, Centre}}, 3000,
                 {{0, 23}}},
        Timeline{"APadGoneStopsTheRepeatAndRunsNothing",
                 {{0, Left}, {350, [](Remote& r) { r.recogniser.Rest(); }}}, 2000, {{0, 5}, {300, 5}}},
        // A held trigger repeats like a direction (Volume Down, Volume Up out of the box); the newest
        // held gesture that repeats owns the repeat, and only its release stops it.
        Timeline{"AHeldTriggerRepeats", {{0, TakeXboxPad}, {0, LeftTrigger}, {450, TriggersLetGo}}, 1000,
                 {{0, 9}, {300, 9}, {400, 9}}},
        Timeline{"ATriggerTakesTheRepeatAndTheStickLetGoLeavesIt",
                 {{0, TakeXboxPad}, {0, Left}, {150, RightTrigger}, {350, Centre}, {560, TriggersLetGo}}, 1000,
                 {{0, 5}, {150, 8}, {450, 8}, {550, 8}}},
        Timeline{"ADirectionTakesTheRepeatAndTheTriggerLetGoLeavesIt",
                 {{0, TakeXboxPad}, {0, LeftTrigger}, {150, Right}, {350, TriggersLetGo}, {560, Centre}}, 1000,
                 {{0, 9}, {150, 4}, {450, 4}, {550, 4}}},
        // Put down from the tray, or a game taking the screen, while Left is held: no more repeats.
        Timeline{"PausedWhileHeldStopsTheRepeat",
                 {{0, Left}, {450, [](Remote& r) { r.recogniser.SetPaused(true); }}, {600, Centre}, {700, Left}},
                 1500, {{0, 5}, {300, 5}, {400, 5}}},
        Timeline{"AGameTakingTheScreenStopsTheRepeat", {{0, Left}, {450, [](Remote& r) { r.game = true; }}}, 1500,
                 {{0, 5}, {300, 5}, {400, 5}}},
        Timeline{"ANewBindingIsUsedByTheNextTick",
                 {{0, Left}, {350, [](Remote& r) { r.settings.EventAssignmentTable[1] = 4; }}, {520, Centre}}, 1000,
                 {{0, 5}, {300, 5}, {400, 4}, {500, 4}}}));

TEST(AutoRepeatTest, ATickAfterTheHoldEndedStopsTheTimerAndRunsNothing) {
  Remote r;
  Left(r);
  r.state.Repeating = 0;  // the centre report came, but its StopRepeat was lost behind a due tick
  r.Advance(1000);
  EXPECT_THAT(r.runs, ElementsAre(Runs::value_type{0, 5}));
  EXPECT_FALSE(r.armed);
  EXPECT_THAT(r.ticks, ElementsAre(300u));
}

TEST(AutoRepeatTest, PeriodsReachTheTimerAsUnsignedMilliseconds) {
  Remote r;
  r.settings.RepeatDelay = -1;
  Right(r);
  EXPECT_EQ(r.period, 0x7FFFFFFFu) << "-1 is the longest wait, not none";
  r.settings.EventAssignmentTable[1] = 0;  // "Nothing" arms and ticks like any other binding
  r.settings.RepeatDelay = 0;
  r.settings.RepeatRate = 0;
  Left(r);
  r.Advance(35);
  EXPECT_THAT(r.ticks, ElementsAre(10u, 20u, 30u)) << "the platform's own minimum applies";
  EXPECT_THAT(r.runs, ElementsAre(Runs::value_type{0, 4}, Runs::value_type{0, 0}));
}

}  // namespace
}  // namespace brontavel
