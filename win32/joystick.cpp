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

// Only a capture this program holds is released: on Windows 95 and 98 a capture is shared by every
// program, and releasing one we do not hold would take the pad from another program.
void ReleaseOurCapture(App& app) {
  if (!app.joystickCaptured) return;
  app.joystick.ReleaseCapture();
  app.joystickCaptured = false;
}

// No report will ever say that the stick went back to the centre or a button came up: the gestures
// go back to rest here, without running anything, and the pad is waited for.
void LoseJoystick(App& app) {
  app.recogniser.Rest();
  ReleaseOurCapture(app);
  WaitForJoystick(app);
}

// A capture made before the pad went away (however briefly), or before the computer slept, may be
// silent though it is still held, and a direction held across the gap would repeat for ever: the
// gestures go to rest and the capture is made afresh. If the pad is not there, it is waited for.
void RenewCapture(App& app) {
  app.recogniser.Rest();
  if (CaptureJoystick(app)) {
    StopWaiting(app);
  } else {
    LoseJoystick(app);
  }
}

}  // namespace

bool CaptureJoystick(App& app) {
  // A capture must be released before it can be set again.
  ReleaseOurCapture(app);
  if (!app.joystick.Capture(app.window, kPeriodMs)) return false;
  app.joystickCaptured = true;
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
  if (!app.joystickStarted) return;
  // The pad may have gone and come back between two looks, which no look can tell: a change of
  // devices always renews the capture, as a resume does.
  if (app.waitingForJoystick) {
    RetryJoystick(app);
  } else {
    RenewCapture(app);
  }
}

bool JoystickStillThere(App& app) {
  if (!app.waitingForJoystick && app.joystick.Present()) return true;
  LoseJoystick(app);
  return false;
}

void OnResume(App& app) {
  if (app.joystickStarted) RenewCapture(app);
}

}  // namespace brontavel
