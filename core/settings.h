#pragma once

#include <array>
#include <cstdint>

#include "core/command_catalogue.h"
#include "core/joystick_event.h"
#include "core/program_names.h"
#include "core/player_slots.h"

namespace brontavel {

// The command bound to each gesture; entry n belongs to gesture n (1..23). Read afresh whenever a
// gesture fires, so a binding changed in the Options dialog is used by the very next gesture. An
// entry may hold any number the settings file held; only the catalogue's numbers ever run anything.
struct EventAssignmentTable {
  std::array<CommandId, kJoystickEventCount> entries;

  CommandId& operator[](int n) { return entries[n - 1]; }
  CommandId operator[](int n) const { return entries[n - 1]; }
};

// The Winamp editions' bindings out of the box; then the shoulders skip tracks, the triggers change
// the volume, Back stops and Start pauses, and the stick presses do nothing.
inline constexpr EventAssignmentTable kDefaultEventAssignments = {
    {5, 4, 8, 9, 10, 11, 13, 14, 1, 2, 15, 12, 21, 19, 23, 5, 4, 9, 8, 3, 2, 0, 0}};

inline constexpr std::int32_t kDefaultRepeatRate = 100;   // ms between repeats
inline constexpr std::int32_t kDefaultRepeatDelay = 300;  // ms before the first repeat

// Everything the settings file configures, held in memory for the whole run.
struct Settings {
  std::int32_t RepeatRate = kDefaultRepeatRate;
  std::int32_t RepeatDelay = kDefaultRepeatDelay;
  PlayerClassNameTable PlayerClassNames = kDefaultPlayerClassNames;
  ::brontavel::EventAssignmentTable EventAssignmentTable = kDefaultEventAssignments;
  // Gestures run nothing while a game or a presentation has the whole screen.
  bool PauseInFullScreen = true;
  // The programs a user names for the same (PauseFor).
  ProgramNames PauseFor;
};

// Where each value lives in the settings file.
inline constexpr const char* kSettingsFileName = "\\Brontavel.ini";
inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kShortcutsSection = "Shortcuts";
inline constexpr const char* kRepeatRateKey = "RepeatRate";
inline constexpr const char* kRepeatDelayKey = "RepeatDelay";
inline constexpr const char* kPauseInFullScreenKey = "PauseInFullScreen";
inline constexpr const char* kPauseForKey = "PauseFor";
inline constexpr const char* kClassNameKeys[kPlayerSlotCount] = {"MainClass", "PEClass", "EQClass", "MBClass"};
inline constexpr int kShortcutPathSize = 200;  // a shortcut's path is read to at most 199 characters

// Room for any 32-bit number's decimal text, a one-letter prefix and a terminating zero.
inline constexpr int kDecimalTextSize = 13;
using DecimalText = char[kDecimalTextSize];

// Writes value as printf's "%d" would (a minus sign, then the digits, no padding), after prefix.
// Used instead of printf, whose implementation would be most of the Windows program's size.
void FormatDecimal(std::int32_t value, DecimalText& out, const char* prefix = "");

// "C7", "S3": the key of gesture n's binding and of shortcut n's file.
inline void FormatBindingKey(int n, DecimalText& key) { FormatDecimal(n, key, "C"); }
inline void FormatShortcutKey(int n, DecimalText& key) { FormatDecimal(n, key, "S"); }

// The repeat fields take whole milliseconds in this range: below 10 Windows' timer runs no faster,
// and a wait of more than ten seconds is no repeat at all.
inline constexpr std::int32_t kMinRepeatMs = 10;
inline constexpr std::int32_t kMaxRepeatMs = 10000;

// The value of a repeat field as typed in the Options dialog: decimal digits only (blanks around
// them allowed, leading zeros too, as in "0150"), within kMinRepeatMs..kMaxRepeatMs. False for
// anything else (empty, a sign, letters, a number out of range), which the dialog refuses.
bool ParseRepeatMilliseconds(const char* text, std::int32_t& value);

// A repeat value as the settings file holds it: one outside kMinRepeatMs..kMaxRepeatMs (0 from an
// earlier version, a hand edit, text that reads as 0) would repeat a hundred times a second or never,
// and means the default instead. The file keeps what it holds until the user sets the value.
constexpr std::int32_t RepeatMsFromFile(std::int32_t value, std::int32_t fallback) {
  return value >= kMinRepeatMs && value <= kMaxRepeatMs ? value : fallback;
}

// PauseInFullScreen as the settings file holds it: only 0 (as "0", "00"...) turns it off. Anything
// else, a typing slip included, leaves the remote out of the game's way, which is the safe side.
bool PauseInFullScreenFromFile(const char* text);

// What Windows says of the user (SHQueryUserNotificationState), by the values it documents.
enum class UserNotificationState : int {
  NotPresent = 1,
  Busy = 2,  // a full-screen program that is no game, such as a video player
  RunningD3DFullScreen = 3,
  PresentationMode = 4,
  AcceptsNotifications = 5,
  QuietTime = 6,
  App = 7,
};

// Whether a game or a presentation has the pad: a full-screen Direct3D program or presentation mode,
// unless the user wants the remote there too. A film watched full screen is no game.
constexpr bool GameHasTheScreen(UserNotificationState state, bool pauseInFullScreen) {
  return pauseInFullScreen &&
         (state == UserNotificationState::RunningD3DFullScreen || state == UserNotificationState::PresentationMode);
}

// True when any of the player's class names is empty: the player cannot be found as configured.
bool HasEmptyClassName(const PlayerClassNameTable& names);

}  // namespace brontavel
