#pragma once

#include <windows.h>

namespace brontavel {

struct App;

// Registers the class "Brontavel" and creates the hidden control window (title "Brontavel",
// 160 x 22, system menu only), which is never shown. False when Windows refuses either.
bool CreateControlWindow(App& app, WNDPROC procedure);

// Takes the control window and its class away: the program ends, or gives up and says why first
// (a second copy started meanwhile must not find it and take it for the running one).
void DestroyControlWindow(const App& app);

// The control window's messages: joystick reports, the tray icon, its menu, the shell's restart,
// and WM_CLOSE, whatever its source, which ends the program with exit code 0 and never returns.
LRESULT HandleControlMessage(App& app, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace brontavel
