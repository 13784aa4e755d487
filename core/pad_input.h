#pragma once

#include "core/gesture_recogniser.h"
#include "core/pad_reports.h"

namespace brontavel {

// The pad in use, from its readings to the gestures they make.
class PadInput {
 public:
  PadInput(GestureRecogniser& recogniser, const GestureState& state) : recogniser_(recogniser), state_(state) {}

  // A pad has just been taken (at start, after a loss, at another number): what it reads now is
  // no gesture, nothing held before is repeated, and a button 4 held now is no press of its own
  // when it is let go.
  void Take(const PadReading& first, const PadShape& shape) {
    reports_.Begin(first, shape);
    recogniser_.Rest();
    recogniser_.SetPadNames(shape.names);
  }
  // Hands what changed since the last reading to the gestures; false when nothing changed for them (a
  // stick resting noisily, a right stick on Z, a pad that reports all the time).
  bool Read(const PadReading& reading) {
    const PadReports reports = reports_.Next(reading);
    for (const PadReport& report : reports) recogniser_.Handle(report);
    return reports.count != 0;
  }
  // Nothing is held: no direction, no button that makes a gesture. Another pad may be taken now
  // without cutting a gesture short.
  bool AtRest() const { return state_.LastDirection == 0 && !reports_.AnyButtonHeld(); }

 private:
  GestureRecogniser& recogniser_;
  const GestureState& state_;
  ReadingsToReports reports_;
};

}  // namespace brontavel
