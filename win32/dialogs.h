#pragma once

#include <windows.h>

namespace brontavel {

struct App;

// The program's error and warning boxes: application-modal, with a single OK button and no icon,
// without an owner window unless one is given (a dialog that stays on top would otherwise hide the
// box). While one is open its loop keeps dispatching, so the remote keeps working.
void ShowMessage(const char* text, const char* caption, HWND owner = nullptr);

// Runs dialog template id modally over the control window; procedure finds app with DialogApp.
// Returns when the user has closed the dialog. A second one can be opened from the tray meanwhile.
void ShowModalDialog(App& app, int id, DLGPROC procedure);

// The App a dialog was opened for, remembered at WM_INITDIALOG; null before it. Also puts the
// dialog in the middle of the work area at WM_INITDIALOG: its owner, the control window, is hidden,
// so a dialog placed relative to it would appear in a corner.
App* DialogApp(HWND dialog, UINT message, LPARAM lParam);

void ShowAboutDialog(App& app);

}  // namespace brontavel
