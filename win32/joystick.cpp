#include "win32/joystick.h"

#include "win32/app.h"
#include "win32/tray.h"

namespace brontavel {
namespace {

constexpr UINT kPeriodMs = 100;
constexpr UINT kThreshold = 6000;  // position units; each axis runs 0..65535
// Often enough that the remote is there moments after the pad wakes, rarely enough to cost nothing.
constexpr UINT kRetryMs = 5000;

}  // namespace

bool CaptureJoystick(App& app) {
  if (joySetCapture(app.window, JOYSTICKID1, kPeriodMs, TRUE) != JOYERR_NOERROR) return false;
  joySetThreshold(JOYSTICKID1, kThreshold);
  return true;
}

void WaitForJoystick(App& app) {
  app.waitingForJoystick = true;
  UpdateTrayTip(app);
  SetTimer(app.window, kJoystickRetryTimerId, kRetryMs, nullptr);
}

void RetryJoystick(App& app) {
  if (!app.waitingForJoystick || !CaptureJoystick(app)) return;
  app.waitingForJoystick = false;
  KillTimer(app.window, kJoystickRetryTimerId);
  UpdateTrayTip(app);
}

}  // namespace brontavel
