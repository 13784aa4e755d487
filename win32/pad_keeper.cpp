#include "win32/pad_keeper.h"

#include "core/xinput_reading.h"
#include "win32/app.h"
#include "win32/tray.h"

namespace brontavel {
namespace {

// What a capture polled at; a gesture lasts at least this long, and the pad costs nothing at rest.
constexpr UINT kPollMs = 100;
// Often enough that the remote is there moments after the pad wakes, rarely enough to cost nothing.
constexpr UINT kRetryMs = 5000;
constexpr UINT kBatteryMs = 60000;
constexpr unsigned kJoystick1 = 0;
constexpr UINT kDirectInputChanged = 0x8000 + 1, kXInputChanged = 0x8000 + 2;  // WM_APP + 1, + 2
constexpr UINT_PTR kRetryTimer = 891, kPollTimer = 892, kRumbleTimer = 893, kBatteryTimer = 894;
// A rumble is felt in a tenth of a second; each pulse stops well within 300 ms, and a second comes
// after a gap that a hand tells apart.
constexpr UINT kPulseMs = 150, kGapMs = 120;
// XInput says nothing of a pad's make: whoever made it, it is an Xbox pad to Windows.
constexpr PadModel kXInputModel{kMicrosoftVendor, 0, 10, false, XboxDriver::Yes};

}  // namespace

// Without XInput (Windows before XP, or without it), joystick 1 is the best there can be.
PadChoice PadKeeper::FirstChoice() const { return xinput_.Available() ? PadChoice::XInput : PadChoice::Joystick1; }

std::optional<PadKeeper::Found> PadKeeper::BestAnswering(bool joysticksToo) const {
  unsigned slot;
  // The pad Windows lets a program in the notification area hear is taken before any other, and no
  // joystick is asked what it is meanwhile: some drivers take long to say.
  if (xinput_.FirstConnected(slot)) {
    const PadCandidate pad{true, slot, kXInputModel};
    return Found{pad, PadCaps{true, false, kXInputModel}, PadChoice::XInput};
  }
  if (!joysticksToo) return std::nullopt;
  PadCandidate pads[JoystickDriver::kMaxJoysticks];
  PadCaps caps[JoystickDriver::kMaxJoysticks];
  std::size_t count = 0;
  for (UINT id = 0; id < JoystickDriver::kMaxJoysticks; ++id) {
    PadCaps& these = caps[count];
    const bool inUse = inUse_ && reader_ != Reader::XInput && id == joystickId_;
    these = caps_;  // the pad in use is known, and some drivers take long to say
    if (!joystick_.Answers(id) || (!inUse && !joystick_.Caps(id, these))) continue;
    pads[count++] = {false, id, these.model};
    if (id == kJoystick1) break;  // no joystick beats it
  }
  const std::optional<std::size_t> best = BestPad(pads, count, lostPad_);
  if (!best) return std::nullopt;
  return Found{pads[*best], caps[*best], ChoiceOf(pads[*best], lostPad_)};
}

bool PadKeeper::Take() {
  const std::optional<Found> best = BestAnswering(true);
  return best && TakePad(*best);
}

bool PadKeeper::TakePad(const Found& found) {
  const HWND window = app_.window;
  KillTimer(window, kPollTimer);
  KillTimer(window, kBatteryTimer);
  directInput_.Close();
  xinput_.Close();
  PadReading first;
  if (found.pad.xinput) {
    // XInput serves the pad from the tray; read any other way as well, each press would run twice.
    if (!xinput_.Open(window, kXInputChanged, found.pad.index, first)) return false;
    reader_ = Reader::XInput;
    caps_ = found.caps;
    shape_ = kXInputShape;
  } else {
    if (!joystick_.Read(found.pad.index, found.caps, first)) return false;
    caps_ = found.caps;
    // Read the moment it changes where DirectInput can say so, otherwise every 100 ms.
    if (!OpenDirectInput(found.pad.index, first)) SetTimer(window, kPollTimer, kPollMs, nullptr);
    shape_ = caps_.Shape();
  }
  joystickId_ = found.pad.index;
  choice_ = found.choice;
  inUse_ = true;
  waiting_ = false;
  betterWaiting_ = false;
  app_.padInput.Take(first, shape_);
  // A pad taken back with its battery still low is not said to be low again.
  if (reader_ != Reader::XInput) battery_.Forget();
  // While the pad in use is not the first choice, the first choice is looked for; while the poll serves
  // where DirectInput could (it failed a moment ago), DirectInput is tried again.
  if (choice_ == FirstChoice() && !(reader_ == Reader::Poll && directInput_.Available())) {
    KillTimer(window, kRetryTimer);
  } else {
    LookAgainIn(kRetryMs);
  }
  if (reader_ == Reader::XInput) {
    CheckBattery();
    SetTimer(window, kBatteryTimer, kBatteryMs, nullptr);
  }
  UpdateTrayTip(app_);
  return true;
}

// DirectInput's first reading, where it serves: a Z it does not have is no trigger held, whatever
// the joystick driver said.
bool PadKeeper::OpenDirectInput(UINT id, PadReading& first) {
  bool xboxDriver = false;
  PadReading reading;
  if (!directInput_.Open(app_.window, kDirectInputChanged, id, caps_.model, reading, xboxDriver)) {
    reader_ = Reader::Poll;
    return false;
  }
  reader_ = Reader::DirectInput;
  caps_.model.xboxDriver = xboxDriver ? XboxDriver::Yes : XboxDriver::No;
  first = reading;
  return true;
}

void PadKeeper::Wait() {
  waiting_ = true;
  UpdateTrayTip(app_);
  LookAgainIn(kRetryMs);
}

void PadKeeper::LookAgainIn(UINT ms) const { SetTimer(app_.window, kRetryTimer, ms, nullptr); }

// No report will ever say that the stick went back to the centre or a button came up: the gestures
// go back to rest here, without running anything. A Bluetooth blip or a quick replug answers again at
// once, at the same number or another; otherwise the pad is waited for, looked for once more at the
// next read, then every few seconds.
void PadKeeper::Lose() {
  Close();
  app_.recogniser.Rest();
  lostPad_ = caps_.model;
  if (Take()) return;
  waiting_ = true;
  UpdateTrayTip(app_);
  LookAgainIn(kPollMs);
}

void PadKeeper::Close() {
  const HWND window = app_.window;
  for (UINT_PTR timer : {kPollTimer, kRumbleTimer, kBatteryTimer}) KillTimer(window, timer);
  rumbleSteps_ = 0;
  directInput_.Close();
  xinput_.Close();
  inUse_ = false;
}

void PadKeeper::Look() {
  if (!started_) return;
  if (waiting_) {
    if (Take()) return;
    LookAgainIn(kRetryMs);
    return;
  }
  // The pad in use that no longer answers has gone, whatever else said so or did not.
  PadReading ignored;
  if (reader_ == Reader::XInput ? !xinput_.Read(ignored) : !joystick_.Answers(joystickId_)) {
    Lose();
    return;
  }
  if (reader_ == Reader::Poll && directInput_.Available()) {
    PadReading first;
    const PadCaps before = caps_;
    if (OpenDirectInput(joystickId_, first)) {
      KillTimer(app_.window, kPollTimer);
      // Read anew by another way: where the pad is now is where its reports start from.
      shape_ = caps_.Shape();
      if (!(before.Shape().layout == shape_.layout)) app_.padInput.Take(first, shape_);
      if (choice_ == FirstChoice()) KillTimer(app_.window, kRetryTimer);
    }
  }
  if (choice_ == PadChoice::XInput) return;
  // Joystick 1 can only be beaten by an XInput pad: the other joysticks are not asked again.
  const std::optional<Found> better = BestAnswering(choice_ != PadChoice::Joystick1);
  if (!better) return;
  switch (WhenToTake(better->choice, choice_, app_.padInput.AtRest())) {
    case BetterPad::TakeNow:
      // A device lying still gives no reading to wait for: the user's pad is taken now.
      if (!TakePad(*better)) Lose();
      break;
    case BetterPad::TakeAtRest:
      // Switching in the middle of a held direction or button would cut the gesture short, or run it
      // twice: the switch waits for a reading at rest.
      betterWaiting_ = true;
      break;
    case BetterPad::None:
      break;
  }
}

// What the pad in use reads now; none when it went.
void PadKeeper::HandleReading(const PadReading* reading) {
  if (!reading) {
    Lose();
    return;
  }
  app_.padInput.Read(*reading);
  AfterReading();
}

// A better pad that waited for the pad in use to rest is taken once it does.
void PadKeeper::AfterReading() {
  const bool atRest = app_.padInput.AtRest();
  if (reader_ == Reader::XInput) xinput_.SetBusy(!atRest);
  if (!betterWaiting_ || !atRest) return;
  betterWaiting_ = false;
  const std::optional<Found> better = BestAnswering(true);
  if (better && better->choice < choice_ && !TakePad(*better)) Lose();
}

bool PadKeeper::OnTimer(UINT_PTR id) {
  PadReading reading;
  switch (id) {
    case kPollTimer:
      // A tick already queued when the pad went has nothing to read.
      if (inUse_ && reader_ == Reader::Poll)
        HandleReading(joystick_.Read(joystickId_, caps_, reading) ? &reading : nullptr);
      return true;
    case kRetryTimer:
      Look();
      return true;
    case kBatteryTimer:
      CheckBattery();
      return true;
    case kRumbleTimer:
      Rumble();
      return true;
  }
  return false;
}

bool PadKeeper::OnMessage(UINT message) {
  PadReading reading;
  if (message == kDirectInputChanged) {
    // Before the read: a change that comes after it posts again.
    directInput_.Handled();
    PadReadings readings;
    bool news = false;
    do {
      if (!inUse_ || reader_ != Reader::DirectInput || !directInput_.IsOpen()) return true;
      if (!directInput_.Read(readings)) {
        Lose();
        return true;
      }
      for (const PadReading& each : readings) news = app_.padInput.Read(each) || news;
    } while (readings.more);
    directInput_.Quiet(!news);
    AfterReading();
    return true;
  }
  if (message == kXInputChanged) {
    xinput_.Handled();
    if (inUse_ && reader_ == Reader::XInput && xinput_.IsOpen())
      HandleReading(xinput_.Read(reading) ? &reading : nullptr);
    return true;
  }
  return false;
}

void PadKeeper::CheckBattery() {
  bool wireless = false;
  BatteryLevel level = BatteryLevel::Full;
  if (!inUse_ || reader_ != Reader::XInput) return;
  const bool wasLow = battery_.Low();
  if (!xinput_.Battery(wireless, level)) {
    battery_.Forget();  // XInput cannot say (xinput9_1_0.dll)
  } else if (battery_.Update(wireless, level)) {
    ShowBatteryNotice(app_);
  }
  if (battery_.Low() != wasLow) UpdateTrayTip(app_);
}

void PadKeeper::AnswerPause(bool paused) {
  if (!inUse_ || reader_ != Reader::XInput) return;
  // On, (off, on,) off: one pulse for a pause, two for a resume.
  rumbleSteps_ = paused ? 2 : 4;
  rumbleStep_ = 0;
  Rumble();
}

// Each step turns the motors on or off; the last turns them off. A pad that goes meanwhile has had
// its motors stopped as it was let go.
void PadKeeper::Rumble() {
  const bool on = rumbleStep_ % 2 == 0;
  if (rumbleStep_ < rumbleSteps_ && inUse_ && reader_ == Reader::XInput) {
    xinput_.Rumble(on);
    ++rumbleStep_;
  }
  if (rumbleStep_ >= rumbleSteps_ || !inUse_ || reader_ != Reader::XInput) {
    KillTimer(app_.window, kRumbleTimer);
    rumbleSteps_ = 0;
    return;
  }
  SetTimer(app_.window, kRumbleTimer, on ? kPulseMs : kGapMs, nullptr);
}

}  // namespace brontavel
