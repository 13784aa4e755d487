#pragma once

#include <cstddef>
#include <cstdint>

#include "core/pad_layout.h"

namespace brontavel {

// The hat (the D-pad on today's pads) in hundredths of a degree clockwise from forward; any value
// outside 0..35999 means it is not pressed (the driver says 0xFFFF).
inline constexpr std::uint32_t kHatCentred = 0xFFFF;

// One answer of the driver when the pad is read: where the stick is, which of up to 32 buttons are
// held, where the hat points.
struct PadReading {
  std::uint32_t x = 32768;  // 0..65535, growing to the right
  std::uint32_t y = 32768;  // 0..65535, growing toward the user
  std::uint32_t buttons = 0;  // bit n-1 for button n
  std::uint32_t hat = kHatCentred;
  std::uint32_t z = 32768;  // 0..65535: both triggers of an Xbox pad, or another pad's right stick
  // 0..255 each, where the pad gives its triggers apart (XInput); 0 elsewhere.
  std::uint8_t leftTrigger = 0, rightTrigger = 0;
};

// The reports the gesture recogniser takes, encoded as the driver's capture messages were:
//   Move: value is the buttons 1..4 held, x and y the position;
//   ButtonDown / ButtonUp: value has the buttons that changed in bits 8..11 and the buttons held
//   after the change in bits 0..3;
//   PadButtonDown / PadButtonUp: one of gestures 16..23 (a shoulder, a trigger, Back, Start, a stick
//   press) pressed or let go: value has its number in bits 0..7 and buttons 1..4 held in bits 8..11.
enum class ReportKind : std::uint8_t { Move, ButtonDown, ButtonUp, PadButtonDown, PadButtonUp };
struct PadReport {
  ReportKind kind;
  std::uintptr_t value;
  std::uint16_t x = 0, y = 0;

  friend bool operator==(const PadReport&, const PadReport&) = default;
};

// What one reading changed. A hand that presses Fn and pushes the stick within one read means Fn with
// the direction, and one that lets go of both means nothing more: the buttons that went down come
// before the position, and the buttons that went up after it.
struct PadReports {
  PadReport items[20];
  std::size_t count = 0;

  const PadReport* begin() const { return items; }
  const PadReport* end() const { return items + count; }
};

struct Position {
  std::uint16_t x, y;
  friend bool operator==(const Position&, const Position&) = default;
};

// Where a reading puts the remote: where the hat points while it is pressed on a pad that has one
// (a direction at the edge of its axis, a diagonal in the corner no zone takes), else where the stick is.
Position EffectivePosition(const PadReading& reading, bool hasHat);

// Turns successive readings of one pad into the recogniser's reports, as a capture with change-only
// reporting did: a position report only when the position has moved by more than the threshold on an
// axis since the last one, a button report only when buttons 1..4 change.
class ReadingsToReports {
 public:
  // A pad has just been taken: where it is now is where the reports start from, so a stick already
  // pushed, or a button already held, is no gesture.
  void Begin(const PadReading& first, const PadShape& shape);
  PadReports Next(const PadReading& reading);
  // Whether any button that makes a gesture was held at the last reading.
  bool AnyButtonHeld() const { return buttons_ != 0 || padButtons_ != 0; }

 private:
  std::uint32_t PadButtonsHeld(const PadReading& reading) const;

  PadShape shape_;
  Position reported_{32768, 32768};
  std::uint32_t buttons_ = 0;     // buttons 1..4 as last read
  std::uint32_t padButtons_ = 0;  // gestures 16..23 held as last read, bit n-16
};

}  // namespace brontavel
