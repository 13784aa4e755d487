#pragma once

#include <string>

namespace brontavel {

// The switch the Startup shortcut passes: a start at logon, when the joystick may still be asleep.
inline constexpr const char* kAtLogonSwitch = "/atlogon";

// True when a shortcut in the user's Startup folder would start this Brontavel.exe, whatever its
// name or its switches (the user may have made it by hand).
bool StartsWithWindows();

// Checked: a shortcut "Brontavel.lnk" in the Startup folder that starts this exe, with the switch, in
// the folder it was started in (where its settings and Winamp.Lnk are: wideFolder, or folder where
// Windows has no wide functions). Unchecked: every Startup shortcut to this exe goes. A failure is
// reported in a message box and changes nothing.
void SetStartWithWindows(bool on, const std::wstring& wideFolder, const std::string& folder);

}  // namespace brontavel
