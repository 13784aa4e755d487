#pragma once

namespace brontavel {

struct App;

// Captures joystick 1 for the control window, polled every 100 ms, with position reports only when
// an axis has moved by more than the threshold. False when there is none to capture (unplugged, not
// installed, or another program has it).
bool CaptureJoystick(App& app);

// Started at logon with the joystick still asleep: the tray icon's tip says so, and the capture is
// tried again every few seconds and whenever Windows reports a change of devices.
void WaitForJoystick(App& app);
void RetryJoystick(App& app);

// The retry timer's id; its expiries reach the control window as WM_TIMER.
inline constexpr unsigned kJoystickRetryTimerId = 891;

}  // namespace brontavel
