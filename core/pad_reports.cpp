#include "core/pad_reports.h"

namespace brontavel {
namespace {

constexpr std::uint32_t kMovementThreshold = 6000;  // position units
constexpr std::uint32_t kFullCircle = 36000;
constexpr std::uint32_t kFirstFourButtons = 0xF;
constexpr std::uint16_t kLow = 0, kMid = 32768, kHigh = 65535;

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

void ReadingsToReports::Begin(const PadReading& first, bool hasHat) {
  hasHat_ = hasHat;
  reported_ = EffectivePosition(first, hasHat);
  buttons_ = first.buttons & kFirstFourButtons;
}

PadReports ReadingsToReports::Next(const PadReading& reading) {
  PadReports reports;
  const std::uint32_t held = reading.buttons & kFirstFourButtons;
  const std::uint32_t down = held & ~buttons_, up = buttons_ & ~held;
  if (down) reports.items[reports.count++] = {ReportKind::ButtonDown, down << 8 | (buttons_ | down)};
  // The position is seen with every button that was held at any moment of the read.
  const Position now = EffectivePosition(reading, hasHat_);
  if (MovedEnough(reported_.x, now.x) || MovedEnough(reported_.y, now.y)) {
    reports.items[reports.count++] = {ReportKind::Move, buttons_ | held, now.x, now.y};
    reported_ = now;
  }
  if (up) reports.items[reports.count++] = {ReportKind::ButtonUp, up << 8 | held};
  buttons_ = held;
  return reports;
}

}  // namespace brontavel
