#include "win32/joystick.h"

#include "win32/app.h"
#include "win32/tray.h"

namespace brontavel {
namespace {

// What a capture polled at; a gesture lasts at least this long, and the pad costs nothing at rest.
constexpr UINT kPollMs = 100;
// Often enough that the remote is there moments after the pad wakes, rarely enough to cost nothing.
constexpr UINT kRetryMs = 5000;

// No report will ever say that the stick went back to the centre or a button came up: the gestures
// go back to rest here, without running anything, and a pad is waited for.
void LoseJoystick(App& app) {
  KillTimer(app.window, kJoystickPollTimerId);
  app.recogniser.Rest();
  WaitForJoystick(app);
}

bool TakeJoystickNumber(App& app, UINT id) {
  PadReading first;
  if (!app.joystick.Read(id, first)) return false;
  app.joystickId = id;
  app.padReports.Begin(first, app.joystick.HasHat(id));
  SetTimer(app.window, kJoystickPollTimerId, kPollMs, nullptr);
  return true;
}

}  // namespace

bool TakeJoystick(App& app) {
  for (UINT id = 0; id < JoystickDriver::kMaxJoysticks; ++id)
    if (TakeJoystickNumber(app, id)) return true;
  return false;
}

void WaitForJoystick(App& app) {
  if (app.waitingForJoystick) return;
  app.waitingForJoystick = true;
  UpdateTrayTip(app);
  SetTimer(app.window, kJoystickRetryTimerId, kRetryMs, nullptr);
}

void LookForJoystick(App& app) {
  if (!app.joystickStarted || !app.waitingForJoystick || !TakeJoystick(app)) return;
  app.waitingForJoystick = false;
  KillTimer(app.window, kJoystickRetryTimerId);
  UpdateTrayTip(app);
}

void PollJoystick(App& app) {
  // A tick already queued when the pad went has nothing to read.
  if (app.waitingForJoystick) return;
  PadReading reading;
  if (!app.joystick.Read(app.joystickId, reading)) {
    LoseJoystick(app);
    return;
  }
  for (const PadReport& report : app.padReports.Next(reading)) app.recogniser.Handle(report);
}

}  // namespace brontavel
