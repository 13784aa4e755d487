#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pad_input.h"
#include "remote_fixture.h"

namespace brontavel {

// Found by gtest through the report's own namespace.
void PrintTo(const PadReport& r, std::ostream* os) {
  static constexpr const char* kKinds[] = {"move ", "down ", "up ", "pad down ", "pad up "};
  *os << kKinds[static_cast<int>(r.kind)] << std::hex << "0x" << r.value << std::dec << " (" << r.x << ", " << r.y << ")";
}

namespace {

using ::testing::ElementsAreArray;

constexpr std::uint32_t kMid = 32768;
constexpr PadShape kHat{true}, kNoHat{false};
constexpr PadShape kXbox{true, PadLayout::Xbox, 10, PadNames::Xbox};
constexpr PadShape kEightButtons{true, PadLayout::Other, 8, PadNames::Numbered};

PadReading Stick(std::uint32_t x, std::uint32_t y, std::uint32_t buttons = 0) { return {x, y, buttons, kHatCentred}; }
PadReading Hat(std::uint32_t hundredths, std::uint32_t buttons = 0) { return {kMid, kMid, buttons, hundredths}; }
PadReport Move(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y) { return {ReportKind::Move, buttons, x, y}; }
PadReport Down(std::uintptr_t value) { return {ReportKind::ButtonDown, value}; }
PadReport Up(std::uintptr_t value) { return {ReportKind::ButtonUp, value}; }
// Gesture n (16..23) pressed or let go, with buttons 1..4 held.
PadReport PadDown(int n, std::uintptr_t held = 0) { return {ReportKind::PadButtonDown, held << 8 | n}; }
PadReport PadUp(int n, std::uintptr_t held = 0) { return {ReportKind::PadButtonUp, held << 8 | n}; }
PadReading Z(std::uint32_t z, std::uint32_t buttons = 0) { return {kMid, kMid, buttons, kHatCentred, z}; }

// ---- Which button is which ---------------------------------------------------------------------

TEST(PadLayoutTest, XboxWhereWindowsXboxDriverRunsThePadElseMicrosoftsTenButtonsAndZ) {
  struct Row {
    PadModel model;
    PadLayout layout;
    PadNames names;
  };
  const Row rows[] = {
      // Where Windows cannot say which driver runs it: Microsoft's pad with ten buttons and Z.
      {{kMicrosoftVendor, 0x0B12, 10, true}, PadLayout::Xbox, PadNames::Xbox},
      {{kMicrosoftVendor, 0x0B12, 12, false}, PadLayout::Other, PadNames::Numbered},
      {{kMicrosoftVendor, 0x0B12, 10, false}, PadLayout::Other, PadNames::Numbered},
      // Another maker's pad: on Windows' Xbox driver ("IG_" in its path), or a generic twin-stick pad
      // whose right stick's X is on Z.
      {{0x2DC8, 0x3106, 10, true, XboxDriver::Yes}, PadLayout::Xbox, PadNames::Xbox},
      {{0x2DC8, 0x3106, 10, true}, PadLayout::Other, PadNames::Numbered},
      {{kMicrosoftVendor, 0x0B12, 10, true, XboxDriver::No}, PadLayout::Other, PadNames::Numbered},
      {{kSonyVendor, 0x09CC, 14, true}, PadLayout::Other, PadNames::PlayStation},
      {{kNintendoVendor, 0x2009, 12, true}, PadLayout::Other, PadNames::Switch},
      {{0x0079, 0x0006, 12, true}, PadLayout::Other, PadNames::Numbered},
      {{0x0079, 0x0006, 10, false}, PadLayout::Other, PadNames::Numbered},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LayoutOf(row.model), row.layout) << std::hex << row.model.vendor << " " << row.model.buttonCount;
    EXPECT_EQ(NamesOf(row.model), row.names) << std::hex << row.model.vendor << " " << row.model.buttonCount;
  }
}

// What Options calls a gesture: the number as ever, with the name printed on the pad beside it. A
// Switch pad's B and A stand where an Xbox pad's A and B do, so the same number has another name.
TEST(PadLayoutTest, OptionsNamesEachButtonAsThePadDoes) {
  struct Row {
    int gesture;
    PadNames names;
    const char* label;
  } rows[] = {
      {9, PadNames::Xbox, "Button1 (A)"},           {12, PadNames::Xbox, "Button4 (Y)"},
      {13, PadNames::Xbox, "Fn+Button1 (Fn+A)"},    {15, PadNames::Xbox, "Fn+Button3 (Fn+X)"},
      {10, PadNames::PlayStation, "Button2 (Cross)"}, {12, PadNames::PlayStation, "Button4 (Triangle)"},
      {9, PadNames::Switch, "Button1 (B)"},          {10, PadNames::Switch, "Button2 (A)"},
      {15, PadNames::Switch, "Fn+Button3 (Fn+Y)"},
      {9, PadNames::Numbered, "Button1"},            {15, PadNames::Numbered, "Fn+Button3"},
      {5, PadNames::Xbox, "Fn+Left"},                {8, PadNames::Switch, "Fn+Down"},
      {18, PadNames::PlayStation, "L2"},             {21, PadNames::Switch, "Plus"},
      {18, PadNames::Numbered, "Button7"},           {23, PadNames::Numbered, "Button12"},
      {0, PadNames::Xbox, ""},                       {24, PadNames::Switch, ""},
  };
  for (const Row& row : rows) EXPECT_STREQ(JoystickEventLabel(row.gesture, row.names), row.label) << row.gesture;
}

// ---- Where the hat points ------------------------------------------------------------------------

struct HatCase {
  std::uint32_t hat;
  PadShape shape;
  Position expected;
};

void PrintTo(const HatCase& c, std::ostream* os) { *os << (c.shape.hasHat ? "Hat" : "NoHat") << c.hat; }

class EffectivePositionTest : public ::testing::TestWithParam<HatCase> {};

TEST_P(EffectivePositionTest, TakesTheHatByRangeAndOnlyOnAPadThatHasOne) {
  const HatCase& c = GetParam();
  const Position got = EffectivePosition({1234, 54321, 0, c.hat}, c.shape.hasHat);
  EXPECT_EQ(got, c.expected) << "hat " << c.hat << " gave (" << got.x << ", " << got.y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    EveryEighth, EffectivePositionTest,
    ::testing::Values(
        HatCase{0, kHat, {32768, 0}}, HatCase{35999, kHat, {32768, 0}}, HatCase{2249, kHat, {32768, 0}},
        HatCase{33750, kHat, {32768, 0}}, HatCase{33749, kHat, {0, 0}}, HatCase{2250, kHat, {65535, 0}},
        HatCase{4500, kHat, {65535, 0}}, HatCase{6750, kHat, {65535, 32768}}, HatCase{9000, kHat, {65535, 32768}},
        HatCase{13500, kHat, {65535, 65535}}, HatCase{18000, kHat, {32768, 65535}},
        HatCase{22500, kHat, {0, 65535}}, HatCase{27000, kHat, {0, 32768}}, HatCase{31500, kHat, {0, 0}},
        // Not pressed, or a value no hat says: the stick counts.
        HatCase{kHatCentred, kHat, {1234, 54321}}, HatCase{36000, kHat, {1234, 54321}},
        HatCase{0xFFFFFFFF, kHat, {1234, 54321}},
        // A pad without a hat reads 0 there, which must not be "up".
        HatCase{0, kNoHat, {1234, 54321}}, HatCase{9000, kNoHat, {1234, 54321}}));

// ---- Readings in, reports out --------------------------------------------------------------------

struct ReadingCase {
  const char* name;
  PadShape shape;
  std::vector<PadReading> readings;  // the first is where the pad was when it was taken
  std::vector<PadReport> expected;
};
void PrintTo(const ReadingCase& c, std::ostream* os) { *os << c.name; }

class ReadingsToReportsTest : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ReadingsToReportsTest, ReportsWhatChangedAsACaptureDid) {
  const ReadingCase& c = GetParam();
  ReadingsToReports reader;
  reader.Begin(c.readings.front(), c.shape);
  std::vector<PadReport> got;
  for (std::size_t i = 1; i < c.readings.size(); ++i)
    for (const PadReport& report : reader.Next(c.readings[i])) got.push_back(report);
  EXPECT_THAT(got, ElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ReadingsToReportsTest,
    ::testing::Values(
        ReadingCase{"WhereThePadWasTakenIsNoReport", kHat, {Stick(1000, kMid, 1), Stick(1000, kMid, 1)}, {}},
        // More than 6000 on either axis since the last position report, never merely time passing.
        ReadingCase{"ThresholdIsStrict", kNoHat,
                    {Stick(kMid, kMid), Stick(kMid + 6000, kMid), Stick(kMid + 6001, kMid), Stick(kMid + 12001, kMid)},
                    {Move(0, kMid + 6001, kMid)}},
        ReadingCase{"CreepingCountsFromTheLastReport", kNoHat,
                    {Stick(kMid, kMid), Stick(kMid, kMid - 4000), Stick(kMid, kMid - 8000), Stick(kMid, kMid - 12000)},
                    {Move(0, kMid, kMid - 8000)}},
        ReadingCase{"DpadPressedAndReleased", kHat, {Hat(kHatCentred), Hat(27000), Hat(27000), Hat(kHatCentred)},
                    {Move(0, 0, kMid), Move(0, kMid, kMid)}},
        ReadingCase{"DpadOverTheStickThenTheStickAgain", kHat, {Stick(1000, kMid), {1000, kMid, 0, 0}, Stick(1000, kMid)},
                    {Move(0, kMid, 0), Move(0, 1000, kMid)}},
        ReadingCase{"DpadRollsToADiagonal", kHat, {Hat(kHatCentred), Hat(0), Hat(4500), Hat(9000)},
                    {Move(0, kMid, 0), Move(0, 65535, 0), Move(0, 65535, kMid)}},
        ReadingCase{"HatlessPadReadingZeroIsStill", kNoHat, {Hat(0), Hat(0), Hat(0, 1)}, {Down(0x101)}},
        // Button 1 pressed while 4 is held names the held set after the change: 0x109.
        ReadingCase{"FnButton1", kNoHat, {Stick(kMid, kMid), Stick(kMid, kMid, 8), Stick(kMid, kMid, 9),
                                          Stick(kMid, kMid, 8), Stick(kMid, kMid, 0)},
                    {Down(0x808), Down(0x109), Up(0x108), Up(0x800)}},
        // Buttons 1 and 2 let go as 3 and 4 go down: while 3 and 4 go down, 1 and 2 are still held.
        ReadingCase{"ButtonsChangingTogether", kNoHat, {Stick(kMid, kMid, 3), Stick(kMid, kMid, 12), Stick(kMid, kMid, 0)},
                    {Down(0xC0F), Up(0x30C), Up(0xC00)}},
        // Within one read a hand's buttons go down before the position, and come up after it.
        ReadingCase{"ButtonsDownThenPositionThenButtonsUp", kHat, {Hat(kHatCentred, 1), Hat(18000, 8)},
                    {Down(0x809), Move(9, kMid, 65535), Up(0x108)}},
        ReadingCase{"ButtonsPast12AreNoReport", kNoHat, {Stick(kMid, kMid), Stick(kMid, kMid, 0xFFFFF000), Stick(kMid, kMid, 0x1000)},
                    {}},
        // Shoulders, triggers, Back, Start, stick presses: buttons 5..12, in gesture order; Fn (button 4)
        // goes down first and comes up last.
        ReadingCase{"OtherPadsButtons5To12", kNoHat, {Stick(kMid, kMid), Stick(kMid, kMid, 0xFF8), Stick(kMid, kMid, 0)},
                    {Down(0x808), PadDown(16, 8), PadDown(17, 8), PadDown(18, 8), PadDown(19, 8), PadDown(20, 8),
                     PadDown(21, 8), PadDown(22, 8), PadDown(23, 8), Up(0x800), PadUp(16), PadUp(17), PadUp(18),
                     PadUp(19), PadUp(20), PadUp(21), PadUp(22), PadUp(23)}},
        ReadingCase{"APadWithFewerButtonsNeverGivesTheRest", kEightButtons,
                    {Stick(kMid, kMid), Stick(kMid, kMid, 0xF00), Stick(kMid, kMid, 0x80)}, {PadDown(19)}},
        ReadingCase{"ZOnAnotherPadIsItsRightStick", kNoHat, {Z(kMid), Z(65535), Z(0), Z(kMid)}, {}},
        ReadingCase{"XboxButtons", kXbox, {Z(kMid), Z(kMid, 0x3F0), Z(kMid)},
                    {PadDown(16), PadDown(17), PadDown(20), PadDown(21), PadDown(22), PadDown(23), PadUp(16),
                     PadUp(17), PadUp(20), PadUp(21), PadUp(22), PadUp(23)}},
        // Pressed past half the travel, let go under a quarter: the left trigger toward 65535.
        ReadingCase{"LeftTriggerHysteresis", kXbox,
                    {Z(kMid), Z(49152), Z(49153), Z(40960), Z(49153), Z(40959), Z(49152)}, {PadDown(18), PadUp(18)}},
        ReadingCase{"RightTriggerTowardZero", kXbox, {Z(kMid), Z(16384), Z(16383), Z(24576), Z(24577)},
                    {PadDown(19), PadUp(19)}},
        ReadingCase{"BothTriggersHeldCancelOut", kXbox, {Z(kMid), Z(65535), Z(kMid + 100), Z(0)},
                    {PadDown(18), PadUp(18), PadDown(19)}},
        ReadingCase{"ATriggerHeldWhenTakenIsNoPress", kXbox, {Z(65535), Z(60000), Z(kMid)}, {PadUp(18)}},
        ReadingCase{"AnXboxPadWithoutZHasNoTriggers", {true, PadLayout::Xbox, 10, PadNames::Xbox, false},
                    {Z(0), Z(65535), Z(0)}, {}}));

// ---- Through the recogniser: what a hand on the pad runs -----------------------------------------

struct HandCase {
  const char* name;
  PadShape shape;
  PadReading taken;  // where the pad was when it was taken
  std::vector<PadReading> readings;
  std::vector<std::string> expected;  // with the default bindings
  bool game = false;                  // a game has the whole screen
};
void PrintTo(const HandCase& c, std::ostream* os) { *os << c.name; }

class HandTest : public ::testing::TestWithParam<HandCase> {};

TEST_P(HandTest, RunsWhatTheHandMeant) {
  const HandCase& c = GetParam();
  test::Remote r;
  r.game = c.game;
  PadInput pad(r.recogniser, r.state);
  pad.Take(c.taken, c.shape);
  for (const PadReading& reading : c.readings) pad.Read(reading);
  EXPECT_THAT(r.log, ElementsAreArray(c.expected));
  EXPECT_FALSE(r.armed) << "the pad let go must stop the repeat";
  EXPECT_TRUE(pad.AtRest());
}

// Another pad is taken only while nothing is held: no direction of the stick or the D-pad, no button,
// no trigger.
TEST(PadInputTest, AtRestOnlyWithNothingHeld) {
  const struct {
    PadReading reading;
    bool atRest;
  } steps[] = {{Stick(1000, kMid), false}, {Stick(kMid, kMid), true}, {Hat(27000), false}, {Hat(kHatCentred), true},
               {Z(kMid, 8), false},        {Z(kMid), true},           {Z(kMid, 0x10), false}, {Z(kMid), true},
               {Z(65535), false},          {Z(kMid), true}};
  test::Remote r;
  PadInput pad(r.recogniser, r.state);
  pad.Take(Z(kMid), kXbox);
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    pad.Read(steps[i].reading);
    EXPECT_EQ(pad.AtRest(), steps[i].atRest) << "step " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Hands, HandTest,
    ::testing::Values(
        HandCase{"EachDirectionOfTheDpad", kHat, Hat(kHatCentred),
                 {Hat(27000), Hat(kHatCentred), Hat(9000), Hat(kHatCentred), Hat(0), Hat(kHatCentred), Hat(18000),
                  Hat(kHatCentred)},
                 {"run 5", "run 4", "run 8", "run 9"}},
        HandCase{"DiagonalRunsNothing", kHat, Hat(kHatCentred), {Hat(13500), Hat(kHatCentred)}, {}},
        HandCase{"FnWithTheDpadAndButton4RunsNothingMore", kHat, Hat(kHatCentred),
                 {Hat(kHatCentred, 8), Hat(27000, 8), Hat(kHatCentred, 8), Hat(kHatCentred, 0)},
                 {"title button pressed", "run 10"}},
        HandCase{"HatlessPadAtZeroRunsNothing", kNoHat, Hat(kHatCentred), {Hat(0), Hat(0), Hat(0)}, {}},
        // Fn and Left within one read, then button 4 let go before the stick: only Fn+Left.
        HandCase{"FnAndLeftInOneRead", kNoHat, Stick(kMid, kMid),
                 {Stick(1000, kMid, 8), Stick(1000, kMid, 0), Stick(kMid, kMid, 0)},
                 {"title button pressed", "run 10"}},
        // Button 4 let go as the stick is pushed, within one read: still Fn+Left, and no Button4.
        HandCase{"FnLetGoAsTheStickIsPushed", kNoHat, Stick(kMid, kMid),
                 {Stick(kMid, kMid, 8), Stick(1000, kMid, 0), Stick(kMid, kMid, 0)},
                 {"title button pressed", "run 10"}},
        // Button 4 held as the pad is taken is no press of its own, nor is the stick already pushed.
        HandCase{"Button4HeldWhenTaken", kNoHat, Stick(kMid, kMid, 8), {Stick(kMid, kMid, 0)}, {}},
        HandCase{"StickPushedWhenTaken", kNoHat, Stick(1000, kMid), {Stick(1000, kMid), Stick(kMid, kMid)}, {}},
        // Each of today's buttons runs its own command, with Fn too, which it then uses up.
        HandCase{"RBWithFnRunsNextAndUsesFn", kXbox, Z(kMid), {Z(kMid, 8), Z(kMid, 0x28), Z(kMid, 8), Z(kMid)},
                 {"title button pressed", "title RB pressed", "run 4"}},
        HandCase{"StartAlone", kXbox, Z(kMid), {Z(kMid, 0x80), Z(kMid)}, {"title Menu pressed", "run 2"}},
        HandCase{"OtherPadsNumberedButtons", kNoHat, Stick(kMid, kMid), {Stick(kMid, kMid, 0x200), Stick(kMid, kMid)},
                 {"title Button10 pressed", "run 2"}},
        // Button 4, then Start (button 10): paused, and letting go of button 4 runs nothing. While paused
        // no gesture runs, Start alone neither; the chord again resumes, and the stick works again.
        HandCase{"FnAndStartPauseAndResume", kNoHat, Stick(kMid, kMid),
                 {Stick(kMid, kMid, 8), Stick(kMid, kMid, 0x208), Stick(kMid, kMid, 8), Stick(kMid, kMid),
                  Stick(1000, kMid), Stick(kMid, kMid), Stick(kMid, kMid, 1), Stick(kMid, kMid, 0x200),
                  Stick(kMid, kMid), Stick(kMid, kMid, 8), Stick(kMid, kMid, 0x208), Stick(kMid, kMid),
                  Stick(1000, kMid), Stick(kMid, kMid)},
                 {"title button pressed", "title Button10 pressed", "paused", "title Button 1 pressed",
                  "title Button10 pressed", "title button pressed", "title Button10 pressed", "resumed", "run 5"}},
        // Start first, then button 4: Start as ever, and button 4 on its own.
        HandCase{"StartThenFnPausesNothing", kNoHat, Stick(kMid, kMid),
                 {Stick(kMid, kMid, 0x200), Stick(kMid, kMid, 0x208), Stick(kMid, kMid)},
                 {"title Button10 pressed", "run 2", "title button pressed", "title Button 4 pressed", "run 12"}},
        // A game has the screen: nothing runs, not the stick, not the D-pad, and the chord, which the
        // game takes too, pauses nothing.
        HandCase{"AGameHasTheScreen", kXbox, Z(kMid),
                 {PadReading{1000, kMid, 0, kHatCentred, kMid}, Z(kMid), PadReading{kMid, kMid, 0, 9000, kMid}, Z(kMid),
                  Z(kMid, 1), Z(kMid), Z(kMid, 8), Z(kMid), Z(65535), Z(kMid), Z(kMid, 8), Z(kMid, 0x88), Z(kMid)},
                 {"title Button 1 pressed", "title button pressed", "title Button 4 pressed", "title LT pressed",
                  "title button pressed", "title Menu pressed"},
                 true}));

}  // namespace
}  // namespace brontavel
