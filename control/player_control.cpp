#include "control/player_control.h"

#include "control/system_commands.h"

namespace brontavel {

void PlayerControl::SendPlayerKey(int slot, unsigned key, unsigned modifier) {
  brontavel::SendPlayerKey(services_.windows, settings_.PlayerClassNames, table_, slot, key, modifier);
}

void PlayerControl::StartOrExitPlayer() { brontavel::StartOrExitPlayer(table_, services_.windows, services_.shell); }

void PlayerControl::ShutdownComputer() { brontavel::ShutdownComputer(services_.os); }

void PlayerControl::PowerOffComputer() { brontavel::PowerOffComputer(services_.os); }

void PlayerControl::OpenShortcut(int n) {
  brontavel::OpenShortcut(n, services_.store, services_.directory, services_.shell);
}

}  // namespace brontavel
