#pragma once

namespace brontavel {

struct App;

// Captures joystick 1 for the control window, polled every 100 ms, with position reports only when
// an axis has moved by more than the threshold; a capture this program still holds from before is
// released first, and no other. False when there is none to capture (unplugged, asleep, not
// installed, or another program has it).
bool CaptureJoystick(App& app);

// Waiting for joystick 1 (started at logon with the pad asleep, or the pad went away): the tray
// icon's tip says so, and the capture is tried again every few seconds and whenever Windows reports
// a change of devices. No message box: the user is across the room.
void WaitForJoystick(App& app);
void RetryJoystick(App& app);

// Windows reported a change of devices: the capture is renewed (a pad may have gone and come back
// unseen), or the pad is waited for. Nothing before start-up has captured the pad or begun to wait.
void OnDeviceChange(App& app);
// Before each repeat: false, with the pad let go of and waited for, when it has gone, so that a
// direction held as it went can repeat no further.
bool JoystickStillThere(App& app);
// The computer woke up: devices are found afresh, and a capture made before the sleep may have gone
// silent, so it is renewed even when the pad answers. Nothing before start-up is ready, as above.
void OnResume(App& app);

// The retry timer's id; its expiries reach the control window as WM_TIMER.
inline constexpr unsigned kJoystickRetryTimerId = 891;

}  // namespace brontavel
