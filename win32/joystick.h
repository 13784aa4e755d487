#pragma once

namespace brontavel {

struct App;

// Takes the pad to use: joystick 1 when it answers; else the pad in use before it went (the same make
// and model), at whatever number it answers now; else the first of joysticks 2..16 that answers (a
// second device, a virtual pad, or a pad that came back from sleep can push the user's pad to another
// number). Its reports start from where it is now, and it is read every 100 ms while it answers.
// False when no joystick answers.
bool TakeJoystick(App& app);

// Waiting for a pad (started at logon with the pad asleep, or the pad went away): the tray icon's tip
// says so, and the joysticks are looked at again every few seconds. No message box: the user is
// across the room.
void WaitForJoystick(App& app);
// The look timer fired, Windows reported a change of devices, or the computer woke up. While waiting,
// the joysticks are looked at again; while a pad other than joystick 1 is in use, they are too, and a
// pad the rule prefers is taken once the one in use is at rest. Nothing before start-up has taken a pad or begun
// to wait (a "Joystick Error" box may be up, and the program ending).
void LookForJoystick(App& app);

// The poll: reads the pad in use and hands what changed to the gestures. A read that fails means the
// pad went; it is looked for again at once.
void PollJoystick(App& app);
// DirectInput said that the pad in use changed: read as the poll would.
void JoystickChanged(App& app);
inline constexpr unsigned kJoystickChangedMessage = 0x8000 + 1;  // WM_APP + 1

// The two timers' ids; their expiries reach the control window as WM_TIMER.
inline constexpr unsigned kJoystickRetryTimerId = 891;
inline constexpr unsigned kJoystickPollTimerId = 892;

}  // namespace brontavel
