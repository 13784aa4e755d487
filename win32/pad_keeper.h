#pragma once

#include <windows.h>

#include <optional>

#include "core/battery_watch.h"
#include "core/pad_choice.h"
#include "win32/direct_input_pad.h"
#include "win32/joystick_driver.h"
#include "win32/xinput_pad.h"

namespace brontavel {

struct App;

// Which pad is in use, why, and how it is read: through XInput for an Xbox pad, else through
// DirectInput's events, else the joystick driver's poll. It takes a pad by the rule (PadChoice), looks
// again when Windows says the devices changed, on a resume and every few seconds while it waits or
// while a better pad could come, takes a better one once the pad in use is at rest, and waits for
// the pad when it goes. Each reading goes to the gestures on the control window's thread.
class PadKeeper {
 public:
  explicit PadKeeper(App& app) : app_(app) {}
  PadKeeper(const PadKeeper&) = delete;
  PadKeeper& operator=(const PadKeeper&) = delete;

  // Takes the pad the rule prefers; false when none answers.
  bool Take();
  // Waits for a pad (started at logon with the pad asleep): the tray icon's tip says so, and the
  // pads are looked at again every few seconds. No message box: the user is across the room.
  void Wait();
  // From now on changes of devices and resumes are looked into: before, a "Joystick Error" box may be
  // up, and the program ending.
  void Started() { started_ = true; }
  // Windows reported a change of devices, or the computer woke up.
  void Look();
  // The control window's timers and the readers' messages; false for anything else.
  bool OnTimer(UINT_PTR id);
  bool OnMessage(UINT message);
  // The pad's chord paused or resumed the remote: an XInput pad rumbles once for a pause, twice for a
  // resume, as the notification may be held back while a game runs.
  void AnswerPause(bool paused);
  // Lets go of the pad before the control window goes: DirectInput's device and XInput's motors
  // must not outlive it.
  void Close();

  bool Waiting() const { return waiting_; }
  bool BatteryLow() const { return inUse_ && reader_ == Reader::XInput && battery_.Low(); }
  // What the pad in use calls its buttons.
  PadNames Names() const { return inUse_ ? shape_.names : PadNames::Numbered; }

 private:
  enum class Reader : unsigned char { Poll, DirectInput, XInput };
  struct Found {
    PadCandidate pad;
    PadCaps caps;
    PadChoice choice;
  };

  std::optional<Found> BestAnswering(bool joysticksToo) const;
  PadChoice FirstChoice() const;
  bool TakePad(const Found& pad);
  void Lose();
  void HandleReading(const PadReading* reading);
  void AfterReading();
  bool OpenDirectInput(UINT id, PadReading& first);
  void LookAgainIn(UINT ms) const;
  void CheckBattery();
  void Rumble();

  App& app_;
  JoystickDriver joystick_;
  DirectInputPad directInput_;
  XInputPad xinput_;
  bool started_ = false;
  bool waiting_ = false;
  bool inUse_ = false;
  Reader reader_ = Reader::Poll;
  UINT joystickId_ = 0;  // the pad in use, where the joystick driver or DirectInput reads it: 0 for joystick 1
  PadCaps caps_;
  PadShape shape_;
  PadChoice choice_ = PadChoice::Any;  // why it was taken
  std::optional<PadModel> lostPad_;    // the pad in use when the last one went: its make and model come next
  bool betterWaiting_ = false;         // a pad the rule prefers answers: taken once the one in use is at rest
  BatteryWatch battery_;
  unsigned rumbleStep_ = 0, rumbleSteps_ = 0;
};

}  // namespace brontavel
