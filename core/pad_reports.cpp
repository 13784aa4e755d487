#include "core/pad_reports.h"

namespace brontavel {
namespace {

constexpr std::uint32_t kMovementThreshold = 6000;  // position units
constexpr std::uint32_t kFullCircle = 36000;
constexpr std::uint32_t kFirstFourButtons = 0xF;
constexpr std::uint16_t kLow = 0, kMid = 32768, kHigh = 65535;
constexpr int kPadButtonGestures = kJoystickEventCount - kFirstPadButtonEvent + 1;

// The button (1-based) that makes each of gestures 16..23 in each layout; 0 for a trigger that is
// read from the Z axis.
constexpr std::uint8_t kPadButtons[2][kPadButtonGestures] = {
    {5, 6, 7, 8, 9, 10, 11, 12},  // Other: shoulders, triggers, Back, Start, stick presses
    {5, 6, 0, 0, 7, 8, 9, 10},    // Xbox: LB, RB, (LT, RT on Z), View, Menu, stick presses
};

// On an Xbox pad the left trigger moves Z from the centre toward 65535 and the right toward 0, so
// both held cancel out. A trigger counts as held past half its travel and let go only once back
// under a quarter: one resting near the line does not press and let go again and again.
constexpr std::uint32_t kHalfTravel = 16384, kQuarterTravel = 8192;
constexpr bool TriggerHeld(std::uint32_t travel, bool before) {
  return before ? travel >= kQuarterTravel : travel > kHalfTravel;
}
// A trigger read apart goes 0..255 over its whole travel; stretched over the half axis it would move
// on Z, past half is 128 and up, under a quarter 63 and down.
constexpr std::uint32_t TriggerTravel(std::uint8_t trigger) { return std::uint32_t{trigger} * kMid / 255; }
constexpr std::uint32_t kLeftTriggerBit = 1u << (EventNumber(JoystickEvent::LeftTrigger) - kFirstPadButtonEvent);
constexpr std::uint32_t kRightTriggerBit = 1u << (EventNumber(JoystickEvent::RightTrigger) - kFirstPadButtonEvent);

constexpr std::uint32_t ButtonsOfPad(std::uint32_t buttons, unsigned count) {
  return count >= 32 ? buttons : buttons & ((1u << count) - 1);
}

// Hats differ: some say only 0, 9000, 18000 and 27000, others every 45 degrees or finer. Each
// direction takes the eighth of the circle around it.
Position HatPosition(std::uint32_t hat) {
  static constexpr Position kEighths[8] = {
      {kMid, kLow},  {kHigh, kLow},  {kHigh, kMid}, {kHigh, kHigh},  // up, up-right, right, down-right
      {kMid, kHigh}, {kLow, kHigh}, {kLow, kMid},  {kLow, kLow}};    // down, down-left, left, up-left
  return kEighths[((hat + kFullCircle / 16) / (kFullCircle / 8)) % 8];
}

constexpr bool MovedEnough(std::uint16_t from, std::uint16_t to) {
  return static_cast<std::uint32_t>(from > to ? from - to : to - from) > kMovementThreshold;
}

}  // namespace

Position EffectivePosition(const PadReading& reading, bool hasHat) {
  // A pad without a hat may read anything there, often 0, which would be "up".
  if (hasHat && reading.hat < kFullCircle) return HatPosition(reading.hat);
  return {static_cast<std::uint16_t>(reading.x), static_cast<std::uint16_t>(reading.y)};
}

std::uint32_t ReadingsToReports::PadButtonsHeld(const PadReading& reading) const {
  const std::uint32_t buttons = ButtonsOfPad(reading.buttons, shape_.buttonCount);
  const auto& which = kPadButtons[shape_.layout == PadLayout::Xbox];
  std::uint32_t held = 0;
  for (int i = 0; i < kPadButtonGestures; ++i)
    if (which[i] != 0 && (buttons >> (which[i] - 1) & 1)) held |= 1u << i;
  if (shape_.triggersApart) {
    if (TriggerHeld(TriggerTravel(reading.leftTrigger), padButtons_ & kLeftTriggerBit)) held |= kLeftTriggerBit;
    if (TriggerHeld(TriggerTravel(reading.rightTrigger), padButtons_ & kRightTriggerBit)) held |= kRightTriggerBit;
  } else if (shape_.layout == PadLayout::Xbox && shape_.hasZ) {
    const std::uint32_t z = reading.z > kHigh ? kHigh : reading.z;
    if (TriggerHeld(z > kMid ? z - kMid : 0, padButtons_ & kLeftTriggerBit)) held |= kLeftTriggerBit;
    if (TriggerHeld(z < kMid ? kMid - z : 0, padButtons_ & kRightTriggerBit)) held |= kRightTriggerBit;
  }
  return held;
}

void ReadingsToReports::Begin(const PadReading& first, const PadShape& shape) {
  shape_ = shape;
  reported_ = EffectivePosition(first, shape.hasHat);
  buttons_ = ButtonsOfPad(first.buttons, shape.buttonCount) & kFirstFourButtons;
  padButtons_ = 0;  // no trigger was held before the pad was taken
  padButtons_ = PadButtonsHeld(first);
}

PadReports ReadingsToReports::Next(const PadReading& reading) {
  PadReports reports;
  const auto add = [&reports](ReportKind kind, std::uintptr_t value) { reports.items[reports.count++] = {kind, value}; };
  const std::uint32_t held = ButtonsOfPad(reading.buttons, shape_.buttonCount) & kFirstFourButtons;
  const std::uint32_t down = held & ~buttons_, up = buttons_ & ~held;
  const std::uint32_t padHeld = PadButtonsHeld(reading);
  const std::uint32_t padDown = padHeld & ~padButtons_, padUp = padButtons_ & ~padHeld;
  if (down) add(ReportKind::ButtonDown, down << 8 | (buttons_ | down));
  for (int i = 0; i < kPadButtonGestures; ++i)
    if (padDown >> i & 1) add(ReportKind::PadButtonDown, (buttons_ | held) << 8 | (kFirstPadButtonEvent + i));
  // The position is seen with every button that was held at any moment of the read.
  const Position now = EffectivePosition(reading, shape_.hasHat);
  if (MovedEnough(reported_.x, now.x) || MovedEnough(reported_.y, now.y)) {
    reports.items[reports.count++] = {ReportKind::Move, buttons_ | held, now.x, now.y};
    reported_ = now;
  }
  if (up) add(ReportKind::ButtonUp, up << 8 | held);
  for (int i = 0; i < kPadButtonGestures; ++i)
    if (padUp >> i & 1) add(ReportKind::PadButtonUp, held << 8 | (kFirstPadButtonEvent + i));
  buttons_ = held;
  padButtons_ = padHeld;
  return reports;
}

}  // namespace brontavel
