#include "win32/joystick.h"

#include "win32/app.h"
#include "win32/tray.h"

namespace brontavel {
namespace {

// What a capture polled at; a gesture lasts at least this long, and the pad costs nothing at rest.
constexpr UINT kPollMs = 100;
// Often enough that the remote is there moments after the pad wakes, rarely enough to cost nothing.
constexpr UINT kRetryMs = 5000;
constexpr UINT kJoystick1 = 0;

struct Candidate {
  UINT id;
  PadCaps caps;
  PadChoice choice;
};

void LookAgainIn(const App& app, UINT ms) { SetTimer(app.window, kJoystickRetryTimerId, ms, nullptr); }

PadChoice ChoiceOf(const App& app, UINT id, const PadCaps& caps) {
  if (id == kJoystick1) return PadChoice::Joystick1;
  return app.lostPad && caps.SameModel(*app.lostPad) ? PadChoice::PadBeforeLoss : PadChoice::Any;
}

// The pad the rule takes among those that answer now, or none.
bool BestPad(const App& app, Candidate& best) {
  bool found = false;
  for (UINT id = 0; id < JoystickDriver::kMaxJoysticks; ++id) {
    PadCaps caps = app.padCaps;  // the pad in use is known, and some drivers take long to say
    const bool inUse = app.padInUse && id == app.joystickId;
    if (!app.joystick.Answers(id) || (!inUse && !app.joystick.Caps(id, caps))) continue;
    const PadChoice choice = ChoiceOf(app, id, caps);
    if (!found || choice < best.choice) best = {id, caps, choice};
    found = true;
    if (choice == PadChoice::Joystick1) break;
  }
  return found;
}

bool Take(App& app, const Candidate& pad) {
  PadReading first;
  if (!app.joystick.Read(pad.id, pad.caps, first)) return false;
  app.joystickId = pad.id;
  app.padCaps = pad.caps;
  app.padChoice = pad.choice;
  app.padInUse = true;
  app.waitingForJoystick = false;
  app.betterPadWaiting = false;
  app.padInput.Take(first, pad.caps.Shape());
  // Read the moment it changes where DirectInput can say so, otherwise every 100 ms.
  if (app.directInput.Open(app.window, kJoystickChangedMessage, pad.id)) {
    KillTimer(app.window, kJoystickPollTimerId);
  } else {
    SetTimer(app.window, kJoystickPollTimerId, kPollMs, nullptr);
  }
  // While the pad in use is not the first choice, the first choice is looked for.
  if (pad.choice == PadChoice::Joystick1) {
    KillTimer(app.window, kJoystickRetryTimerId);
  } else {
    LookAgainIn(app, kRetryMs);
  }
  return true;
}

// No report will ever say that the stick went back to the centre or a button came up: the gestures
// go back to rest here, without running anything. A Bluetooth blip or a quick replug answers again at
// once, at the same number or another; otherwise the pad is waited for, looked for once more at the
// next read, then every few seconds.
void LoseJoystick(App& app) {
  KillTimer(app.window, kJoystickPollTimerId);
  app.directInput.Close();
  app.recogniser.Rest();
  app.lostPad = app.padCaps;
  app.padInUse = false;
  if (TakeJoystick(app)) return;
  app.waitingForJoystick = true;
  UpdateTrayTip(app);
  LookAgainIn(app, kPollMs);
}

}  // namespace

bool TakeJoystick(App& app) {
  Candidate pad;
  return BestPad(app, pad) && Take(app, pad);
}

void WaitForJoystick(App& app) {
  app.waitingForJoystick = true;
  UpdateTrayTip(app);
  LookAgainIn(app, kRetryMs);
}

void LookForJoystick(App& app) {
  if (!app.joystickStarted) return;
  if (app.waitingForJoystick) {
    if (TakeJoystick(app)) {
      UpdateTrayTip(app);
    } else {
      LookAgainIn(app, kRetryMs);
    }
    return;
  }
  // The pad in use that no longer answers has gone, whatever else said so or did not.
  if (!app.joystick.Answers(app.joystickId)) {
    LoseJoystick(app);
    return;
  }
  // Switching in the middle of a held direction or button would cut the gesture short, or run it
  // twice: the poll switches once the pad in use is at rest.
  Candidate better;
  if (app.padChoice != PadChoice::Joystick1 && BestPad(app, better) && better.choice < app.padChoice)
    app.betterPadWaiting = true;
}

// What the pad in use reads now, as the poll or DirectInput took it; none when it went.
void HandleReading(App& app, const PadReading* reading) {
  if (!reading) {
    LoseJoystick(app);
    return;
  }
  app.padInput.Read(*reading);
  if (!app.betterPadWaiting || !app.padInput.AtRest()) return;
  app.betterPadWaiting = false;
  Candidate better;
  if (BestPad(app, better) && better.choice < app.padChoice) Take(app, better);
}

void PollJoystick(App& app) {
  // A tick already queued when the pad went has nothing to read.
  if (!app.padInUse) return;
  PadReading reading;
  HandleReading(app, app.joystick.Read(app.joystickId, app.padCaps, reading) ? &reading : nullptr);
}

void JoystickChanged(App& app) {
  // Before the read: a change that comes after it posts again.
  app.directInput.Handled();
  if (!app.padInUse || !app.directInput.IsOpen()) return;
  PadReading reading;
  HandleReading(app, app.directInput.Read(reading) ? &reading : nullptr);
}

}  // namespace brontavel
