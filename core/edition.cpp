#include "core/edition.h"

namespace brontavel {
namespace {

// The classic player's own command ids, as its published interface documents them (Nullsoft's
// frontend.h, "Winamp frontend/plug-in control API documentation", and the "Winamp Application
// Programming Interface" page); they go to its main window as WM_COMMAND.
constexpr std::uint16_t kPreviousTrack = 40044, kPlay = 40045, kPause = 40046, kStop = 40047, kNextTrack = 40048,
                        kVolumeUp = 40058, kVolumeDown = 40059, kForward5s = 40060, kBack5s = 40061,
                        kToggleRepeat = 40022, kToggleShuffle = 40023;

// How a command reaches the classic player: only what differs from the catalogue. A command with a
// documented id goes to the main window as WM_COMMAND; one without takes the catalogue's own key in the
// playlist editor, which takes the same keys for its cursor and selection.
struct ClassicRoute {
  DeliveryKind kind;
  std::uint16_t commandId;
};
constexpr ClassicRoute ById(std::uint16_t id) { return {DeliveryKind::Command, id}; }
constexpr ClassicRoute kPlaylistKey = {DeliveryKind::Key, 0};
constexpr ClassicRoute kNoRoute = {DeliveryKind::Nothing, 0};

// Indexed by catalogue number, 0..22.
constexpr ClassicRoute kClassicRoutes[] = {
    kNoRoute,              // "Nothing"
    ById(kPlay),           // "Play"
    ById(kPause),          // "Pause"
    ById(kStop),           // "Stop"
    ById(kNextTrack),      // "Next"
    ById(kPreviousTrack),  // "Previous"
    kPlaylistKey,          // "Page Down"
    kPlaylistKey,          // "Page Up"
    ById(kVolumeUp),       // "Volume Up"
    ById(kVolumeDown),     // "Volume Down"
    ById(kBack5s),         // "Rewind"
    ById(kForward5s),      // "Fast Forward"
    kPlaylistKey,          // "Play currently hilited"
    kPlaylistKey,          // "Playlist cursor up"
    kPlaylistKey,          // "Playlist cursor down"
    // The documented "Start of playlist" and "Go to end of playlist" ids jump playback to the first or
    // last track; these two commands move the playlist cursor, as Home and End do.
    kPlaylistKey,          // "To top of Playlist"
    kPlaylistKey,          // "To end of Playlist"
    kPlaylistKey,          // "Go to song playing"
    kPlaylistKey,          // "Delete from Playlist"
    ById(kToggleShuffle),  // "Shuffle toggle"
    ById(kToggleRepeat),   // "Repeat toggle"
    kNoRoute,              // "Crossfade toggle": the classic player has no such command
    kPlaylistKey,          // "Select All in Playlist"
};
static_assert(sizeof kClassicRoutes / sizeof kClassicRoutes[0] == 23, "one route per command 0..22");

inline constexpr PlayerClassNameTable kClassicPlayerClassNames = {
    MakeClassName(kClassicMainClass), MakeClassName("Winamp PE"), MakeClassName("Winamp EQ"),
    MakeClassName("Winamp MB")};

// Every gesture presses a media key, which every player on today's Windows hears, or does nothing.
// Fn changes nothing, so that a thumb resting on Button 4 does what the user expects; Button 4 alone
// does nothing, as it is the Fn button. Button 2 is a PlayStation pad's Cross, the button pressed
// first, which must not stop the music: it plays and pauses too, and Back stops. Nothing shuts down,
// closes a program or asks for a file.
constexpr CommandId kMediaPlayPause = 35, kMediaNext = 36, kMediaPrevious = 37, kMediaStop = 38,
                    kWindowsVolumeUp = 39, kWindowsVolumeDown = 40, kWindowsVolumeMute = 41, kNothing = 0;
inline constexpr EventAssignmentTable kAnyPlayerBindings = {
    {kMediaPrevious, kMediaNext, kWindowsVolumeUp, kWindowsVolumeDown,    // Left, Right, Up, Down
     kMediaPrevious, kMediaNext, kWindowsVolumeUp, kWindowsVolumeDown,    // the same with Fn
     kMediaPlayPause, kMediaPlayPause, kWindowsVolumeMute, kNothing,      // Button1..Button4
     kMediaPlayPause, kMediaPlayPause, kWindowsVolumeMute,                // the same with Fn
     kMediaPrevious, kMediaNext, kWindowsVolumeDown, kWindowsVolumeUp,    // shoulders, triggers
     kMediaStop, kMediaPlayPause, kWindowsVolumeMute, kNothing}};         // Back, Start, stick presses

constexpr PlayerDelivery kNoDelivery = {DeliveryKind::Nothing, 0, 0, 0, 0};

}  // namespace

PlayerDelivery DeliveryOf(Edition edition, CommandId id) {
  if (!IsKeystrokeCommand(id)) return kNoDelivery;
  const Command& command = *FindCommand(id);
  if (edition != Edition::Classic) return {DeliveryKind::Key, command.slot, command.key, command.modifier, 0};
  const ClassicRoute route = kClassicRoutes[id];
  switch (route.kind) {
    case DeliveryKind::Command:
      return {DeliveryKind::Command, kMainSlot, 0, 0, route.commandId};
    case DeliveryKind::Key:
      return {DeliveryKind::Key, kPeSlot, command.key, command.modifier, 0};
    case DeliveryKind::Nothing:
      break;
  }
  return kNoDelivery;
}

const PlayerClassNameTable& DefaultPlayerClassNames(Edition edition) {
  return edition == Edition::Classic ? kClassicPlayerClassNames : kDefaultPlayerClassNames;
}

const EventAssignmentTable& DefaultBindings(Edition edition) {
  return edition == Edition::AnyPlayer ? kAnyPlayerBindings : kDefaultEventAssignments;
}

const char* EditionName(Edition edition) {
  switch (edition) {
    case Edition::Classic:
      return "Brontavel for classic Winamp";
    case Edition::AnyPlayer:
      return "Brontavel for any player";
    case Edition::Winamp3:
      break;
  }
  return "Brontavel for Winamp";
}

const char* RunningNoticeTitle(Edition edition) {
  return edition == Edition::AnyPlayer ? "Brontavel for any player is running" : "Brontavel is running";
}

}  // namespace brontavel
