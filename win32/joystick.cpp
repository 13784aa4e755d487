#include "win32/joystick.h"

#include "win32/app.h"
#include "win32/tray.h"

namespace brontavel {
namespace {

constexpr UINT kPeriodMs = 100;
constexpr UINT kThreshold = 6000;  // position units; each axis runs 0..65535
// Often enough that the remote is there moments after the pad wakes, rarely enough to cost nothing.
constexpr UINT kRetryMs = 5000;

void StopWaiting(App& app) {
  if (!app.waitingForJoystick) return;
  app.waitingForJoystick = false;
  KillTimer(app.window, kJoystickRetryTimerId);
  UpdateTrayTip(app);
}

// No report will ever say that the stick went back to the centre or a button came up: the gestures
// go back to rest here, without running anything, and the pad is waited for.
void LoseJoystick(App& app) {
  app.recogniser.Rest();
  app.joystick.ReleaseCapture();
  WaitForJoystick(app);
}

}  // namespace

bool CaptureJoystick(App& app) {
  // A capture must be released before it can be set again, and one made before the pad went away or
  // the computer slept may be silent though it is still held.
  app.joystick.ReleaseCapture();
  if (!app.joystick.Capture(app.window, kPeriodMs)) return false;
  app.joystick.SetThreshold(kThreshold);
  return true;
}

void WaitForJoystick(App& app) {
  if (app.waitingForJoystick) return;
  app.waitingForJoystick = true;
  UpdateTrayTip(app);
  SetTimer(app.window, kJoystickRetryTimerId, kRetryMs, nullptr);
}

void RetryJoystick(App& app) {
  if (app.waitingForJoystick && CaptureJoystick(app)) StopWaiting(app);
}

void OnDeviceChange(App& app) {
  if (app.waitingForJoystick) {
    RetryJoystick(app);
  } else if (!app.joystick.Present()) {
    LoseJoystick(app);
  }
}

bool JoystickStillThere(App& app) {
  if (!app.waitingForJoystick && app.joystick.Present()) return true;
  LoseJoystick(app);
  return false;
}

void OnResume(App& app) {
  app.recogniser.Rest();
  if (CaptureJoystick(app)) {
    StopWaiting(app);
  } else {
    LoseJoystick(app);
  }
}

}  // namespace brontavel
