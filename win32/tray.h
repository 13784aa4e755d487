#pragma once

#include <windows.h>

namespace brontavel {

struct App;

// The id of the program's icon in the notification area, and the message its mouse events arrive
// as (with the mouse message in lParam).
inline constexpr UINT kTrayIconId = 888;
inline constexpr UINT kTrayCallbackMessage = 888;

// Shows the icon (tip "Brontavel", or that it waits for the joystick, or is paused; greyed while
// paused) for the control window; false when the shell refuses.
bool AddTrayIcon(const App& app);
// Shows in the icon and its tip whether the program waits for its joystick or is paused.
void UpdateTrayTip(const App& app);
// A notification from the icon that says where to find it: after a start by hand, or when the user
// started the program again. Nothing where the shell has no notifications.
enum class RunningNotice { Started, AlreadyRunning };
void ShowRunningNotice(const App& app, RunningNotice notice);
// Says that the pad's chord paused or resumed the remote: the user is across the room from the screen.
void ShowPauseNotice(const App& app);
// Says that the XInput pad's battery has fallen low, once each time it falls.
void ShowBatteryNotice(const App& app);
// The message a second copy sends the running one, so that it shows where it is.
inline constexpr const char* kShowYourselfMessage = "Brontavel.ShowWhereItIs";
inline constexpr const char* kAlreadyRunningTitle = "Brontavel is already running";
inline constexpr const char* kWhereToFindIt =
    "Right-click the joystick icon in the notification area for the menu, or double-click it for "
    "Options. Windows may keep the icon under the ^ arrow beside the clock.";

// Takes the icon away; harmless when it is not there.
void RemoveTrayIcon(const App& app);

// A double-click opens Options; a right-button press opens the tray menu, at once, on the press.
void OnTrayCallback(App& app, LPARAM mouseMessage);
// An item of the tray menu was chosen.
void OnMenuCommand(App& app, UINT id);

}  // namespace brontavel
