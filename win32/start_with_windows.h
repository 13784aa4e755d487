#pragma once

#include <string>

namespace brontavel {

// The switch the Startup shortcut passes: a start at logon, when the joystick may still be asleep.
inline constexpr const char* kAtLogonSwitch = "/atlogon";

// True when a shortcut in the user's Startup folder would start this Brontavel.exe, whatever its
// name or its switches (the user may have made it by hand), and Windows' own list of startup apps
// has not turned that shortcut off.
bool StartsWithWindows();

// Checked: a shortcut "Brontavel.lnk" in the Startup folder that starts this exe, with the switch, in
// the folder it was started in (where its settings and Winamp.Lnk are: wideFolder, or folder where
// Windows has no wide functions), turned on again in Windows' list if it was turned off there.
// Unchecked: every Startup shortcut to this exe goes; what Windows' list holds is left as it is. A
// shortcut that cannot be written or removed is reported in a message box and changes nothing; one
// Windows' list keeps turned off is reported with where to turn it on.
void SetStartWithWindows(bool on, const std::wstring& wideFolder, const std::string& folder);

}  // namespace brontavel
