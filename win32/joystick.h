#pragma once

namespace brontavel {

struct App;

// Takes the pad to use: joystick 1 when it answers, else the first of joysticks 2..16 that does (a
// second device, a virtual pad, or a pad that came back from sleep can push it to another number).
// Its reports start from where it is now, and it is read every 100 ms while it answers. False when
// no joystick answers.
bool TakeJoystick(App& app);

// Waiting for a pad (started at logon with the pad asleep, or the pad went away): the tray icon's tip
// says so, and the joysticks are looked at again every few seconds. No message box: the user is
// across the room.
void WaitForJoystick(App& app);
// The retry timer fired, Windows reported a change of devices, or the computer woke up: while
// waiting, the joysticks are looked at again. Nothing before start-up has taken a pad or begun to
// wait (a "Joystick Error" box may be up, and the program ending), and nothing while a pad answers.
void LookForJoystick(App& app);

// The poll: reads the pad in use and hands what changed to the gestures. A read that fails means the
// pad went.
void PollJoystick(App& app);

// The two timers' ids; their expiries reach the control window as WM_TIMER.
inline constexpr unsigned kJoystickRetryTimerId = 891;
inline constexpr unsigned kJoystickPollTimerId = 892;

}  // namespace brontavel
