#pragma once

namespace brontavel {

// Joystick 1 as the driver offers it: once captured for the control window, the driver posts it
// position reports (MM_JOY1MOVE) and button reports (MM_JOY1BUTTONDOWN / MM_JOY1BUTTONUP).
//
// Contract:
// - DeviceCount: how many joysticks the driver supports.
// - Capture: captures joystick 1 for the control window, polling every periodMs; with changesOnly a
//   position report is sent only when an axis has moved by more than the threshold since the last
//   one, never just because a period has passed. False when there is no joystick, it is not
//   installed, or another program has it. The capture ends with the window.
// - SetThreshold: the movement threshold, in position units (each axis runs 0..65535).
class Joystick {
 public:
  virtual ~Joystick() = default;

  virtual unsigned DeviceCount() = 0;
  virtual bool Capture(unsigned periodMs, bool changesOnly) = 0;
  virtual void SetThreshold(unsigned units) = 0;
};

}  // namespace brontavel
