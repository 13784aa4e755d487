#include "core/edition.h"

namespace brontavel {
namespace {

// The classic player's own command ids, as its published interface documents them (Nullsoft's
// frontend.h, "Winamp frontend/plug-in control API documentation", and the "Winamp Application
// Programming Interface" page); they go to its main window as WM_COMMAND.
constexpr std::uint16_t kPreviousTrack = 40044, kPlay = 40045, kPause = 40046, kStop = 40047, kNextTrack = 40048,
                        kVolumeUp = 40058, kVolumeDown = 40059, kForward5s = 40060, kBack5s = 40061,
                        kToggleRepeat = 40022, kToggleShuffle = 40023;

constexpr PlayerDelivery PlayerCommand(std::uint16_t id) { return {DeliveryKind::Command, kMainSlot, 0, 0, id}; }
constexpr PlayerDelivery Nothing() { return {DeliveryKind::Nothing, 0, 0, 0, 0}; }
// A command with no documented id: the catalogue's own key (filled in by DeliveryOf), in the classic
// playlist editor, which takes the same keys for its cursor and selection.
constexpr PlayerDelivery PlaylistKey() { return {DeliveryKind::Key, kPeSlot, 0, 0, 0}; }

// Indexed by catalogue number, 0..22.
constexpr PlayerDelivery kClassicDeliveries[] = {
    Nothing(),                     // "Nothing"
    PlayerCommand(kPlay),          // "Play"
    PlayerCommand(kPause),         // "Pause"
    PlayerCommand(kStop),          // "Stop"
    PlayerCommand(kNextTrack),     // "Next"
    PlayerCommand(kPreviousTrack), // "Previous"
    PlaylistKey(),                 // "Page Down"
    PlaylistKey(),                 // "Page Up"
    PlayerCommand(kVolumeUp),      // "Volume Up"
    PlayerCommand(kVolumeDown),    // "Volume Down"
    PlayerCommand(kBack5s),        // "Rewind"
    PlayerCommand(kForward5s),     // "Fast Forward"
    PlaylistKey(),                 // "Play currently hilited"
    PlaylistKey(),                 // "Playlist cursor up"
    PlaylistKey(),                 // "Playlist cursor down"
    // The documented "Start of playlist" and "Go to end of playlist" ids jump playback to the first or
    // last track; these two commands move the playlist cursor, as Home and End do.
    PlaylistKey(),                 // "To top of Playlist"
    PlaylistKey(),                 // "To end of Playlist"
    PlaylistKey(),                 // "Go to song playing"
    PlaylistKey(),                 // "Delete from Playlist"
    PlayerCommand(kToggleShuffle), // "Shuffle toggle"
    PlayerCommand(kToggleRepeat),  // "Repeat toggle"
    Nothing(),                     // "Crossfade toggle": the classic player has no such command
    PlaylistKey(),                 // "Select All in Playlist"
};
static_assert(sizeof kClassicDeliveries / sizeof kClassicDeliveries[0] == 23, "one delivery per command 0..22");

inline constexpr PlayerClassNameTable kClassicPlayerClassNames = {
    MakeClassName(kClassicMainClass), MakeClassName("Winamp PE"), MakeClassName("Winamp EQ"),
    MakeClassName("Winamp MB")};

}  // namespace

PlayerDelivery DeliveryOf(Edition edition, CommandId id) {
  if (!IsKeystrokeCommand(id)) return Nothing();
  const Command* command = FindCommand(id);
  if (edition == Edition::Classic) {
    PlayerDelivery delivery = kClassicDeliveries[id];
    if (delivery.kind == DeliveryKind::Key) {
      delivery.key = command->key;
      delivery.modifier = command->modifier;
    }
    return delivery;
  }
  return {DeliveryKind::Key, command->slot, command->key, command->modifier, 0};
}

const PlayerClassNameTable& DefaultPlayerClassNames(Edition edition) {
  return edition == Edition::Classic ? kClassicPlayerClassNames : kDefaultPlayerClassNames;
}

}  // namespace brontavel
