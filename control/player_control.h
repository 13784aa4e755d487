#pragma once

#include "config/settings.h"
#include "control/command_actions.h"
#include "control/player_windows.h"
#include "platform/desktop_shell.h"
#include "platform/operating_system.h"
#include "platform/profile_store.h"
#include "platform/window_system.h"
#include "platform/working_directory.h"

namespace brontavel {

// The platform services the commands act through.
struct ControlServices {
  WindowSystem& windows;
  DesktopShell& shell;
  OperatingSystem& os;
  ProfileStore& store;
  WorkingDirectory& directory;
};

// Carries out the catalogue's actions against the program's settings and player-window table.
class PlayerControl final : public CommandActions {
 public:
  PlayerControl(const ControlServices& services, const Settings& settings, PlayerWindowTable& table)
      : services_(services), settings_(settings), table_(table) {}

  void SendPlayerKey(int slot, unsigned key, unsigned modifier) override;
  void StartOrExitPlayer() override;
  void ShutdownComputer() override;
  void PowerOffComputer() override;
  void OpenShortcut(int n) override;

 private:
  ControlServices services_;
  const Settings& settings_;
  PlayerWindowTable& table_;
};

}  // namespace brontavel
