#include "control/system_commands.h"

#include "config/settings_file.h"
#include "platform/message_numbers.h"

namespace brontavel {
namespace {

constexpr const char* kShutdownPrivilegeName = "SeShutdownPrivilege";
constexpr std::uint32_t kAdjustAndQueryToken = 0x20 | 0x08;  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
constexpr std::uint32_t kPrivilegeEnabled = 2;               // SE_PRIVILEGE_ENABLED
constexpr std::uint32_t kExitShutdown = 1;                   // EWX_SHUTDOWN
constexpr std::uint32_t kExitPowerOff = 8;                   // EWX_POWEROFF

}  // namespace

void StartOrExitPlayer(PlayerWindowTable& table, WindowSystem& windows, DesktopShell& shell) {
  if (table.slots[kPeSlot] == kNoWindow) {
    shell.Open(kPlayerShortcut, kShowNotActivated);
    return;
  }
  // A remembered main window may be long gone; the close request must not go astray then.
  const WindowHandle main = table.slots[kMainSlot];
  if (windows.IsLive(main)) shell.PostWindowMessage(main, msg::kClose, 0, 0);
  table.slots[kPeSlot] = kNoWindow;
}

void EnableShutdownPrivilege(OperatingSystem& os) {
  if (os.PlatformId() != kPlatformNt) return;  // Windows 95 and 98 have no privileges
  PrivilegeId shutdown;
  os.LookupPrivilege(kShutdownPrivilegeName, shutdown);
  TokenHandle token = 0;
  if (!os.OpenProcessToken(kAdjustAndQueryToken, token)) return;
  os.EnablePrivilege(token, shutdown, kPrivilegeEnabled);
  os.CloseToken(token);
}

void ShutdownComputer(OperatingSystem& os) {
  EnableShutdownPrivilege(os);
  os.EndSession(kExitShutdown, 0);
}

void PowerOffComputer(OperatingSystem& os) {
  EnableShutdownPrivilege(os);
  os.EndSession(kExitPowerOff, 0);
}

void OpenShortcut(int n, ProfileStore& store, WorkingDirectory& directory, DesktopShell& shell) {
  const std::string path = SettingsFilePath(directory);
  char key[kKeyBufferSize];
  FormatShortcutKey(n, key);
  char file[kShortcutBufferSize];
  store.ReadText(kShortcutsSection, key, "", file, kShortcutBufferSize, path.c_str());
  shell.Open(file, kShowNormal);
}

}  // namespace brontavel
