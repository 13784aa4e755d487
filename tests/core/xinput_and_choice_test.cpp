#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/battery_watch.h"
#include "core/pad_choice.h"
#include "core/put_off.h"
#include "core/xinput_reading.h"

namespace brontavel {
namespace {

constexpr std::uint32_t kCentred = kHatCentred;

// ---- An XInput pad read as the joystick driver reads an Xbox pad ---------------------------------

struct XInputCase {
  const char* name;
  XInputGamepad pad;
  std::uint32_t x, y, buttons, hat;
};

class XInputReadingTest : public ::testing::TestWithParam<XInputCase> {};

TEST_P(XInputReadingTest, GivesWhatTheJoystickDriverWould) {
  const XInputCase& c = GetParam();
  const PadReading r = ReadingOf(c.pad);
  EXPECT_EQ(r.x, c.x);
  EXPECT_EQ(r.y, c.y);
  EXPECT_EQ(r.buttons, c.buttons);
  EXPECT_EQ(r.hat, c.hat);
  EXPECT_EQ(r.z, 32768u) << "the triggers are read apart, never from Z";
}

XInputGamepad Stick(std::int16_t x, std::int16_t y) { return {0, 0, 0, x, y}; }
XInputGamepad Buttons(std::uint16_t buttons) { return {buttons}; }

INSTANTIATE_TEST_SUITE_P(
    Xbox, XInputReadingTest,
    ::testing::Values(
        XInputCase{"Centre", Stick(0, 0), 32768, 32767, 0, kCentred},
        XInputCase{"FarLeft", Stick(-32768, 0), 0, 32767, 0, kCentred},
        XInputCase{"FarRight", Stick(32767, 0), 65535, 32767, 0, kCentred},
        // Up is positive for XInput and 0 for the joystick driver.
        XInputCase{"FarUp", Stick(0, 32767), 32768, 0, 0, kCentred},
        XInputCase{"FarDown", Stick(0, -32768), 32768, 65535, 0, kCentred},
        XInputCase{"UpLeftCorner", Stick(-32768, 32767), 0, 0, 0, kCentred},
        // The right stick makes no gesture.
        XInputCase{"RightStickIgnored", {0, 0, 0, 0, 0, -32768, 32767}, 32768, 32767, 0, kCentred},
        XInputCase{"A", Buttons(kXInputA), 32768, 32767, 1u << 0, kCentred},
        XInputCase{"B", Buttons(kXInputB), 32768, 32767, 1u << 1, kCentred},
        XInputCase{"X", Buttons(kXInputX), 32768, 32767, 1u << 2, kCentred},
        XInputCase{"Y", Buttons(kXInputY), 32768, 32767, 1u << 3, kCentred},
        XInputCase{"LB", Buttons(kXInputLeftShoulder), 32768, 32767, 1u << 4, kCentred},
        XInputCase{"RB", Buttons(kXInputRightShoulder), 32768, 32767, 1u << 5, kCentred},
        XInputCase{"View", Buttons(kXInputBack), 32768, 32767, 1u << 6, kCentred},
        XInputCase{"Menu", Buttons(kXInputStart), 32768, 32767, 1u << 7, kCentred},
        XInputCase{"LeftStickPress", Buttons(kXInputLeftThumb), 32768, 32767, 1u << 8, kCentred},
        XInputCase{"RightStickPress", Buttons(kXInputRightThumb), 32768, 32767, 1u << 9, kCentred},
        XInputCase{"DpadUp", Buttons(kXInputDpadUp), 32768, 32767, 0, 0},
        XInputCase{"DpadRight", Buttons(kXInputDpadRight), 32768, 32767, 0, 9000},
        XInputCase{"DpadDown", Buttons(kXInputDpadDown), 32768, 32767, 0, 18000},
        XInputCase{"DpadLeft", Buttons(kXInputDpadLeft), 32768, 32767, 0, 27000},
        XInputCase{"DpadUpRight", Buttons(kXInputDpadUp | kXInputDpadRight), 32768, 32767, 0, 4500},
        XInputCase{"DpadDownRight", Buttons(kXInputDpadDown | kXInputDpadRight), 32768, 32767, 0, 13500},
        XInputCase{"DpadDownLeft", Buttons(kXInputDpadDown | kXInputDpadLeft), 32768, 32767, 0, 22500},
        XInputCase{"DpadUpLeft", Buttons(kXInputDpadUp | kXInputDpadLeft), 32768, 32767, 0, 31500},
        XInputCase{"DpadUpAndDown", Buttons(kXInputDpadUp | kXInputDpadDown), 32768, 32767, 0, kCentred},
        XInputCase{"DpadUpDownLeft", Buttons(kXInputDpadUp | kXInputDpadDown | kXInputDpadLeft), 32768, 32767, 0,
                   27000},
        // Impossible values: every bit, the sticks at their extremes. Only the ten buttons count.
        XInputCase{"Everything", {0xFFFF, 255, 255, -32768, -32768, -32768, -32768}, 0, 65535, 0x3FF, kCentred}),
    [](const ::testing::TestParamInfo<XInputCase>& info) { return std::string(info.param.name); });

// A hand on the pad, through XInput, in the gestures' own terms: each trigger pressed past half and
// let go under a quarter, each apart, both at once.
TEST(XInputTriggersTest, ApartWithHysteresisAndBothAtOnce) {
  struct Step {
    std::uint8_t left, right;
    std::vector<PadReport> reports;
  };
  const auto down = [](int n) { return PadReport{ReportKind::PadButtonDown, static_cast<std::uintptr_t>(n)}; };
  const auto up = [](int n) { return PadReport{ReportKind::PadButtonUp, static_cast<std::uintptr_t>(n)}; };
  const int lt = EventNumber(JoystickEvent::LeftTrigger), rt = EventNumber(JoystickEvent::RightTrigger);
  const Step steps[] = {
      {127, 0, {}},  // half-way is not yet past half
      {128, 0, {down(lt)}},
      {64, 0, {}},  // a quarter still holds it
      {63, 0, {up(lt)}},
      {0, 128, {down(rt)}},
      {255, 255, {down(lt)}},  // both held are both pressed
      {0, 63, {up(lt), up(rt)}},
      {255, 255, {down(lt), down(rt)}},
      {0, 0, {up(lt), up(rt)}},
  };
  ReadingsToReports reports;
  reports.Begin(ReadingOf({}), kXInputShape);
  for (const Step& step : steps) {
    const PadReports got = reports.Next(ReadingOf({0, step.left, step.right}));
    EXPECT_EQ(std::vector<PadReport>(got.begin(), got.end()), step.reports)
        << "left " << int{step.left} << ", right " << int{step.right};
  }
}

// ---- Which pad is taken ------------------------------------------------------------------------

constexpr PadModel kPlayStation{kSonyVendor, 0x09CC, 14, true}, kWheel{0x046D, 0xC29B, 24, true};

TEST(PadChoiceTest, AnXInputPadFirstThenJoystick1ThenThePadBeforeALoss) {
  struct Row {
    const char* what;
    std::vector<PadCandidate> answering;
    std::optional<PadModel> lost;
    std::optional<std::size_t> taken;
  };
  const PadCandidate slot0{true, 0, {}}, slot2{true, 2, {}}, joystick1{false, 0, kPlayStation},
      wheelAt2{false, 1, kWheel}, playStationAt3{false, 2, kPlayStation};
  const Row rows[] = {
      {"none answers", {}, std::nullopt, std::nullopt},
      {"an XInput pad beats joystick 1", {joystick1, slot2}, std::nullopt, 1},
      {"the lowest slot", {slot0, slot2}, std::nullopt, 0},
      {"joystick 1 beats the pad before a loss", {playStationAt3, joystick1}, kPlayStation, 1},
      {"the pad before a loss beats one found first", {wheelAt2, playStationAt3}, kPlayStation, 1},
      {"else the first found", {wheelAt2, playStationAt3}, std::nullopt, 0},
      {"a slot beats the pad before a loss", {playStationAt3, slot2}, kPlayStation, 1},
  };
  for (const Row& row : rows)
    EXPECT_EQ(BestPad(row.answering.data(), row.answering.size(), row.lost), row.taken) << row.what;
}

TEST(PadChoiceTest, ABetterPadIsTakenAtOnceOnlyWhenThePadInUseRests) {
  struct Row {
    PadChoice better, inUse;
    bool atRest;
    BetterPad when;
  };
  const Row rows[] = {
      {PadChoice::XInput, PadChoice::Joystick1, true, BetterPad::TakeNow},
      {PadChoice::XInput, PadChoice::Joystick1, false, BetterPad::TakeAtRest},
      {PadChoice::Joystick1, PadChoice::Any, true, BetterPad::TakeNow},
      {PadChoice::Joystick1, PadChoice::Joystick1, true, BetterPad::None},
      {PadChoice::Any, PadChoice::PadBeforeLoss, true, BetterPad::None},
  };
  for (const Row& row : rows)
    EXPECT_EQ(WhenToTake(row.better, row.inUse, row.atRest), row.when)
        << int(row.better) << " over " << int(row.inUse) << (row.atRest ? " at rest" : " held");
}

// ---- A pad that reports all the time ----------------------------------------------------------

// Reads that find nothing new put the next off, 40 ms at most however long the pad rests: the first
// press after an hour at rest is seen as soon as after a second.
TEST(PutOffTest, GrowsToFortyMillisecondsAndNoFurtherAndNewsEndsIt) {
  const struct {
    bool nothingNew;
    unsigned putOffMs;
  } reads[] = {{true, 20}, {true, 40}, {true, 40}, {true, 40}, {false, 0}, {true, 20}};
  unsigned quiet = 0;
  for (std::size_t i = 0; i < std::size(reads); ++i) {
    quiet = QuietReadsAfter(quiet, reads[i].nothingNew);
    EXPECT_EQ(PutOffMs(quiet), reads[i].putOffMs) << "read " << i;
  }
  for (int i = 0; i < 100000; ++i) quiet = QuietReadsAfter(quiet, true);
  EXPECT_EQ(PutOffMs(quiet), 40u);
}

// ---- The battery -------------------------------------------------------------------------------

TEST(BatteryWatchTest, SaysSoOnceEachTimeItFallsToLow) {
  struct Step {
    bool wireless;
    BatteryLevel level;
    bool low, notify;
  };
  const Step steps[] = {
      {true, BatteryLevel::Full, false, false},  {true, BatteryLevel::Medium, false, false},
      {true, BatteryLevel::Low, true, true},     {true, BatteryLevel::Low, true, false},
      {true, BatteryLevel::Empty, true, false},  {true, BatteryLevel::Medium, false, false},
      {true, BatteryLevel::Low, true, true},     {false, BatteryLevel::Empty, false, false},  // plugged in
  };
  BatteryWatch watch;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    EXPECT_EQ(watch.Update(steps[i].wireless, steps[i].level), steps[i].notify) << "step " << i;
    EXPECT_EQ(watch.Low(), steps[i].low) << "step " << i;
  }
}

}  // namespace
}  // namespace brontavel
