#pragma once

#include <windows.h>

namespace brontavel {

struct App;

// Everything before the message loop, in order: the platform check, the single-instance rule, the
// old-player warning, the control window and tray icon, taking a pad, the settings and the player's
// windows. False when the program must end at once (exit code 0): an unknown Windows, a copy already
// running, no window, or no joystick that answers. Started at logon, a pad that does not answer yet
// is waited for instead.
bool StartUp(App& app, WNDPROC controlProcedure, bool atLogon);

}  // namespace brontavel
