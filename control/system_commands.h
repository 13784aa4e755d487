#pragma once

#include "control/player_windows.h"
#include "platform/desktop_shell.h"
#include "platform/operating_system.h"
#include "platform/profile_store.h"
#include "platform/window_system.h"
#include "platform/working_directory.h"

namespace brontavel {

inline constexpr const char* kPlayerShortcut = "Winamp.Lnk";  // looked for in the current directory
inline constexpr int kShortcutBufferSize = 200;

// "Exit/Start Winamp". While the playlist window is known, asks the player's main window to close
// and forgets the playlist; otherwise starts the player through "Winamp.Lnk" without taking the
// focus. The table is not refreshed: the new player's windows are found by the next keystroke.
void StartOrExitPlayer(PlayerWindowTable& table, WindowSystem& windows, DesktopShell& shell);

// Gives this process the right to shut Windows down, on the NT family only; failures are ignored.
void EnableShutdownPrivilege(OperatingSystem& os);
void ShutdownComputer(OperatingSystem& os);
void PowerOffComputer(OperatingSystem& os);

// Opens the file chosen for shortcut n (1..9), read afresh from the settings file each time.
void OpenShortcut(int n, ProfileStore& store, WorkingDirectory& directory, DesktopShell& shell);

}  // namespace brontavel
