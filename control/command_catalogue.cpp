#include "control/command_catalogue.h"

#include "control/player_slot.h"
#include "platform/message_numbers.h"

namespace brontavel {
namespace {

constexpr Command Key(const char* name, int slot, unsigned key, unsigned modifier = 0) {
  return {name, CommandKind::Keystroke, static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(key),
          static_cast<std::uint8_t>(modifier)};
}
constexpr Command Action(const char* name, CommandKind kind) { return {name, kind, 0, 0, 0}; }

// Letter keys' virtual-key codes are their upper-case characters.
constexpr Command kCatalogue[kCommandCount] = {
    Action("Nothing", CommandKind::Nothing),
    Key("Play", kPeSlot, 'X'),
    Key("Pause", kPeSlot, 'C'),
    Key("Stop", kPeSlot, 'V'),
    Key("Next", kPeSlot, 'B'),
    Key("Previous", kPeSlot, 'Z'),
    Key("Page Down", kPeSlot, vk::kNext),
    Key("Page Up", kPeSlot, vk::kPrior),
    Key("Volume Up", kEqSlot, vk::kUp),
    Key("Volume Down", kEqSlot, vk::kDown),
    Key("Rewind", kPeSlot, vk::kLeft),
    Key("Fast Forward", kPeSlot, vk::kRight),
    Key("Play currently hilited", kPeSlot, vk::kReturn),
    Key("Playlist cursor up", kPeSlot, vk::kUp),
    Key("Playlist cursor down", kPeSlot, vk::kDown),
    Key("To top of Playlist", kPeSlot, vk::kHome),
    Key("To end of Playlist", kPeSlot, vk::kEnd),
    Key("Go to song playing", kPeSlot, vk::kSpace),
    Key("Delete from Playlist", kPeSlot, vk::kDelete),
    Key("Shuffle toggle", kPeSlot, 'S'),
    Key("Repeat toggle", kPeSlot, 'R'),
    Key("Crossfade toggle", kPeSlot, 'F'),
    Key("Select All in Playlist", kPeSlot, 'A', vk::kControl),
    Action("Exit/Start Winamp", CommandKind::StartOrExitPlayer),
    Action("Shutdown CPU", CommandKind::Shutdown),
    Action("Poweroff CPU", CommandKind::PowerOff),
    Action("Execute/Open File 1", CommandKind::OpenShortcut),
    Action("Execute/Open File 2", CommandKind::OpenShortcut),
    Action("Execute/Open File 3", CommandKind::OpenShortcut),
    Action("Execute/Open File 4", CommandKind::OpenShortcut),
    Action("Execute/Open File 5", CommandKind::OpenShortcut),
    Action("Execute/Open File 6", CommandKind::OpenShortcut),
    Action("Execute/Open File 7", CommandKind::OpenShortcut),
    Action("Execute/Open File 8", CommandKind::OpenShortcut),
    Action("Execute/Open File 9", CommandKind::OpenShortcut),
};

constexpr bool NamesFitTheDialog() {
  for (const Command& command : kCatalogue) {
    int length = 0;
    while (command.displayName[length] != '\0') ++length;
    if (length == 0 || length > 22) return false;
  }
  return true;
}
static_assert(NamesFitTheDialog(), "display names are 1..22 characters");

}  // namespace

const Command* FindCommand(CommandId id) { return IsCommandId(id) ? &kCatalogue[id] : nullptr; }

const char* CommandDisplayName(CommandId id) {
  const Command* command = FindCommand(id);
  return command ? command->displayName : "";
}

bool IsKeystrokeCommand(CommandId id) {
  const Command* command = FindCommand(id);
  return command && command->kind == CommandKind::Keystroke;
}

void RunCommand(CommandId id, CommandActions& actions) {
  const Command* command = FindCommand(id);
  if (!command) return;
  switch (command->kind) {
    case CommandKind::Nothing:
      return;
    case CommandKind::Keystroke:
      actions.SendPlayerKey(command->slot, command->key, command->modifier);
      return;
    case CommandKind::StartOrExitPlayer:
      actions.StartOrExitPlayer();
      return;
    case CommandKind::Shutdown:
      actions.ShutdownComputer();
      return;
    case CommandKind::PowerOff:
      actions.PowerOffComputer();
      return;
    case CommandKind::OpenShortcut:
      actions.OpenShortcut(id - kFirstShortcutCommand + 1);
      return;
  }
}

}  // namespace brontavel
