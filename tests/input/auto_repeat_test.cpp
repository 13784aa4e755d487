#include "input/auto_repeat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "control/recording_command_actions.h"
#include "platform/host/fake_repeat_timer.h"

namespace brontavel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct AutoRepeatTest : ::testing::Test {
  AutoRepeatTest() { timer.SetTickHandler([this] { repeat.RepeatTick(); }); }

  FakeRepeatTimer timer;
  Settings settings;
  GestureState gestures;
  test::RecordingCommandActions actions;
  AutoRepeat repeat{timer, settings, gestures, actions};
};

TEST_F(AutoRepeatTest, ATickAfterTheHoldEndedStopsTheTimerAndRunsNothing) {
  gestures.LastDirection = 1;
  repeat.StartRepeat();
  gestures.LastDirection = 0;  // the centre report came, but its StopRepeat was lost behind a due tick
  timer.Advance(1000);
  EXPECT_THAT(actions.log, IsEmpty());
  EXPECT_FALSE(timer.IsArmed());
  EXPECT_THAT(timer.TickTimes(), ElementsAre(300u));
}

TEST_F(AutoRepeatTest, PeriodsReachTheTimerAsUnsignedMilliseconds) {
  gestures.LastDirection = 2;
  settings.RepeatDelay = -1;
  repeat.StartRepeat();
  EXPECT_EQ(timer.Period(), FakeRepeatTimer::kMaximumPeriod) << "-1 is the longest wait, not none";

  settings.RepeatDelay = 0;
  settings.RepeatRate = 0;
  repeat.StartRepeat();
  timer.Advance(35);
  EXPECT_THAT(timer.TickTimes(), ElementsAre(10u, 20u, 30u)) << "the platform's own minimum applies";
  EXPECT_THAT(actions.log, ElementsAre("key slot 1 vk 66 mod 0", "key slot 1 vk 66 mod 0", "key slot 1 vk 66 mod 0"));
}

}  // namespace
}  // namespace brontavel
