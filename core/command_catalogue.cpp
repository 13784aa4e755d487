#include "core/command_catalogue.h"

#include "core/player_slots.h"

namespace brontavel {
namespace {

// Virtual-key codes, as Windows defines them; a letter key's code is its upper-case character.
constexpr unsigned kVkReturn = 0x0D, kVkControl = 0x11, kVkSpace = 0x20, kVkPrior = 0x21, kVkNext = 0x22,
                   kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28,
                   kVkDelete = 0x2E, kVkVolumeMute = 0xAD, kVkVolumeDown = 0xAE, kVkVolumeUp = 0xAF,
                   kVkMediaNextTrack = 0xB0, kVkMediaPrevTrack = 0xB1, kVkMediaStop = 0xB2,
                   kVkMediaPlayPause = 0xB3;

constexpr Command Key(const char* name, int slot, unsigned key, unsigned modifier = 0) {
  return {name, CommandKind::Keystroke, static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(key),
          static_cast<std::uint8_t>(modifier)};
}
constexpr Command Action(const char* name, CommandKind kind) { return {name, kind, 0, 0, 0}; }
constexpr Command MediaKey(const char* name, unsigned key) {
  return {name, CommandKind::MediaKey, 0, static_cast<std::uint8_t>(key), 0};
}

constexpr Command kCatalogue[kCommandCount] = {
    Action("Nothing", CommandKind::Nothing),
    Key("Play", kPeSlot, 'X'),
    Key("Pause", kPeSlot, 'C'),
    Key("Stop", kPeSlot, 'V'),
    Key("Next", kPeSlot, 'B'),
    Key("Previous", kPeSlot, 'Z'),
    Key("Page Down", kPeSlot, kVkNext),
    Key("Page Up", kPeSlot, kVkPrior),
    Key("Volume Up", kEqSlot, kVkUp),
    Key("Volume Down", kEqSlot, kVkDown),
    Key("Rewind", kPeSlot, kVkLeft),
    Key("Fast Forward", kPeSlot, kVkRight),
    Key("Play currently hilited", kPeSlot, kVkReturn),
    Key("Playlist cursor up", kPeSlot, kVkUp),
    Key("Playlist cursor down", kPeSlot, kVkDown),
    Key("To top of Playlist", kPeSlot, kVkHome),
    Key("To end of Playlist", kPeSlot, kVkEnd),
    Key("Go to song playing", kPeSlot, kVkSpace),
    Key("Delete from Playlist", kPeSlot, kVkDelete),
    Key("Shuffle toggle", kPeSlot, 'S'),
    Key("Repeat toggle", kPeSlot, 'R'),
    Key("Crossfade toggle", kPeSlot, 'F'),
    Key("Select All in Playlist", kPeSlot, 'A', kVkControl),
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
    // Appended, so that every number a settings file already holds keeps its meaning. The names say
    // that these reach any player, and Windows' own volume, not only Winamp.
    MediaKey("Any player: Play/Pause", kVkMediaPlayPause),
    MediaKey("Any player: Next", kVkMediaNextTrack),
    MediaKey("Any player: Previous", kVkMediaPrevTrack),
    MediaKey("Any player: Stop", kVkMediaStop),
    MediaKey("Windows volume up", kVkVolumeUp),
    MediaKey("Windows volume down", kVkVolumeDown),
    MediaKey("Windows volume mute", kVkVolumeMute),
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

bool IsRepeatableCommand(CommandId id) {
  const Command* command = FindCommand(id);
  return command && (command->kind == CommandKind::Keystroke || command->kind == CommandKind::MediaKey);
}

}  // namespace brontavel
