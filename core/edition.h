#pragma once

#include <cstdint>

#include "core/command_catalogue.h"
#include "core/player_slots.h"
#include "core/settings.h"

namespace brontavel {

// Brontavel comes in three editions, built from the same sources: one for Winamp 3, one for the
// classic player (Winamp 2.x, and 5.x, which keeps the classic main window), and one for any player,
// whose gestures press the media keys that every player hears. They differ only in their defaults,
// their name, and how they find the player's windows and how a player command reaches them;
// everything else is the same program. The edition for any player reaches Winamp 3 as the Winamp 3
// edition does, for a user who binds its commands.
enum class Edition : std::uint8_t { Winamp3, Classic, AnyPlayer };

// The bindings used where the settings file names none.
const EventAssignmentTable& DefaultBindings(Edition edition);

// The name the edition goes by where the program names itself to the user: the notification that it
// is running, the About box, the version information.
const char* EditionName(Edition edition);
// The title of the notification after a start by hand. The edition for any player names itself, so
// that a user who took it sees which one runs.
const char* RunningNoticeTitle(Edition edition);

// Only the Winamp 3 edition warns that it cannot drive a classic player that is running: the classic
// edition is made for it, and the edition for any player drives it through the media keys.
constexpr bool WarnsOfClassicPlayer(Edition edition) { return edition == Edition::Winamp3; }

// The Winamp editions look for the player's windows at start-up and beep when its playlist cannot be
// found: without the player they do nothing. The edition for any player expects no Winamp, and a
// beep from it means that a media key was refused.
constexpr bool ExpectsWinamp(Edition edition) { return edition != Edition::AnyPlayer; }

// How one catalogue command reaches the player in an edition.
//   Key:     the key (with modifier held around it when not 0) in the window of slot;
//   Command: WM_COMMAND with the player's own command id in wParam and 0 in lParam, to slot;
//   Nothing: the player has no such command, and nothing is sent.
enum class DeliveryKind : std::uint8_t { Nothing, Key, Command };
struct PlayerDelivery {
  DeliveryKind kind;
  std::uint8_t slot;
  std::uint8_t key;
  std::uint8_t modifier;
  std::uint16_t commandId;
};

// The delivery of a keystroke command (1..22); Nothing for every other number.
PlayerDelivery DeliveryOf(Edition edition, CommandId id);

// The class names that find the player's windows when the settings file names none.
const PlayerClassNameTable& DefaultPlayerClassNames(Edition edition);

// Winamp 3's playlist editor is a child of its "Playlist" frame, found by a walk of the frame's
// children; the classic playlist editor is a top-level window found by its class, like the others.
// The edition for any player finds Winamp 3's windows, as the Winamp 3 edition does.
constexpr bool FindsPlaylistInFrame(Edition edition) { return edition != Edition::Classic; }

// The class of the classic player's main window, which every classic version keeps.
inline constexpr const char* kClassicMainClass = "Winamp v1.x";

}  // namespace brontavel
