// The catalogue's commands carried out: key presses in the player's windows, starting or closing the
// player, shutting Windows down, and opening the files the user chose.

#include <windows.h>
#include <shellapi.h>

#include "win32/app.h"
#include "win32/media_keys.h"
#include "win32/platform_id.h"
#include "win32/settings_file.h"

namespace brontavel {
namespace {

constexpr const char* kPlayerShortcut = "\\Winamp.Lnk";  // beside the settings file

void OpenFile(const char* file, int showCommand) {
  // A shortcut that was never chosen reads as an empty name; handed to the shell, that would open
  // a folder window out of nowhere.
  if (file[0] == '\0') return;
  ShellExecuteA(nullptr, nullptr, file, nullptr, nullptr, showCommand);
}

void StartPlayer(const SettingsFile& settingsFile) {
  OpenFile((settingsFile.folder() + kPlayerShortcut).c_str(), SW_SHOWNA);  // without taking the focus
}

// A remembered main window may be long gone; the close request must not go astray then.
void ClosePlayer(HWND main) {
  if (IsWindow(main)) PostMessageA(main, WM_CLOSE, 0, 0);
}

// Winamp 3: while the playlist window is known, asks the player's main window to close and forgets
// the playlist; otherwise starts the player through "Winamp.Lnk". The table is not refreshed: the new
// player's windows are found by the next keystroke.
// The classic player's main window is there whenever it runs, so it is looked for at each press:
// closed when found, else started. A player started a moment ago is closed by the next press.
void StartOrExitPlayer(Edition edition, const PlayerClassNameTable& classNames, PlayerWindowTable& players,
                       const SettingsFile& settingsFile) {
  if (edition == Edition::Classic) {
    const HWND main = FindWindowA(classNames[kMainSlot].data(), nullptr);
    if (main) {
      ClosePlayer(main);
    } else {
      StartPlayer(settingsFile);
    }
    return;
  }
  if (!players.slots[kPeSlot]) {
    StartPlayer(settingsFile);
    return;
  }
  ClosePlayer(players.slots[kMainSlot]);
  players.slots[kPeSlot] = nullptr;
}

// Gives this process the right to shut Windows down, on the NT family only (Windows 95 and 98 have
// no privileges); a failure leaves the privilege as it was and the shut-down is asked for anyway.
void EnableShutdownPrivilege() {
  if (PlatformId() != VER_PLATFORM_WIN32_NT) return;
  TOKEN_PRIVILEGES request{};
  request.PrivilegeCount = 1;
  request.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &request.Privileges[0].Luid);
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  AdjustTokenPrivileges(token, FALSE, &request, 0, nullptr, nullptr);
  CloseHandle(token);
}

// Without the force flag, so the other programs are asked to end in the usual way.
void EndSession(UINT flags) {
  EnableShutdownPrivilege();
  ExitWindowsEx(flags, 0);
}

// Opens the file chosen for shortcut n (1..9), read afresh from the settings file each time.
void OpenShortcut(const SettingsFile& settingsFile, int n) {
  DecimalText key;
  FormatShortcutKey(n, key);
  char file[kShortcutPathSize] = {};
  settingsFile.ReadText(kShortcutsSection, key, "", file, kShortcutPathSize);
  OpenFile(file, SW_SHOW);
}

}  // namespace

void App::RunCommand(CommandId id) {
  const Command* command = FindCommand(id);
  if (!command) return;
  switch (command->kind) {
    case CommandKind::Nothing:
      return;
    case CommandKind::Keystroke:
      DeliverToPlayer(edition, settings.PlayerClassNames, players, DeliveryOf(edition, id));
      return;
    case CommandKind::MediaKey:
      PressMediaKey(command->key);
      return;
    case CommandKind::StartOrExitPlayer:
      StartOrExitPlayer(edition, settings.PlayerClassNames, players, settingsFile);
      return;
    case CommandKind::Shutdown:
      EndSession(EWX_SHUTDOWN);
      return;
    case CommandKind::PowerOff:
      EndSession(EWX_POWEROFF);
      return;
    case CommandKind::OpenShortcut:
      OpenShortcut(settingsFile, ShortcutNumber(id));
      return;
  }
}

}  // namespace brontavel
