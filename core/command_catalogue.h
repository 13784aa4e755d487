#pragma once

#include <cstdint>

namespace brontavel {

// A command's position in the catalogue; it is also what the settings file stores for a gesture and
// the line of the command in the Options dialog's list. Only 0..41 name a command.
using CommandId = std::int32_t;
inline constexpr int kCommandCount = 42;
inline constexpr CommandId kFirstShortcutCommand = 26;  // "Execute/Open File 1"; File n is 25 + n
inline constexpr CommandId kLastShortcutCommand = 34;   // "Execute/Open File 9"

// Keystroke: one of the player's own shortcuts, sent to one of its windows. MediaKey: a key of the
// keyboard's media row, typed as a keyboard types it, which whatever plays (and Windows' own volume)
// listens to.
enum class CommandKind : std::uint8_t {
  Nothing, Keystroke, StartOrExitPlayer, Shutdown, PowerOff, OpenShortcut, MediaKey
};

struct Command {
  const char* displayName;  // at most 22 characters
  CommandKind kind;
  std::uint8_t slot;      // Keystroke: the player slot that receives the key
  std::uint8_t key;       // Keystroke and MediaKey: virtual-key code
  std::uint8_t modifier;  // Keystroke: virtual-key code held around the key, 0 for none
};

constexpr bool IsCommandId(CommandId id) { return id >= 0 && id < kCommandCount; }

// The catalogue entry of id, or null when id names no command: a settings file may hold any
// number, and only the catalogue's own commands may ever run.
const Command* FindCommand(CommandId id);

// The name the Options dialog lists for id; "" when id names no command.
const char* CommandDisplayName(CommandId id);

// True for the commands that press a player key (1..22).
bool IsKeystrokeCommand(CommandId id);

// True for the commands that press a key, the player's or a media key: the only ones a held
// direction repeats.
bool IsRepeatableCommand(CommandId id);

// True for "Execute/Open File 1".."Execute/Open File 9", the only commands that need a chosen file.
constexpr bool IsShortcutCommand(CommandId id) { return id >= kFirstShortcutCommand && id <= kLastShortcutCommand; }

// The file shortcut (1..9) that an "Execute/Open File n" command opens.
constexpr int ShortcutNumber(CommandId id) { return id - kFirstShortcutCommand + 1; }

}  // namespace brontavel
