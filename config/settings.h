#pragma once

#include <array>
#include <cstdint>

#include "control/command_catalogue.h"
#include "control/player_windows.h"
#include "input/joystick_event.h"

namespace brontavel {

// The command bound to each gesture; entry n belongs to gesture n (1..15). Read afresh whenever a
// gesture fires, so a binding changed in the Options dialog is used by the very next gesture. An
// entry may hold any number the settings file held; only 0..34 ever run anything.
struct EventAssignmentTable {
  std::array<CommandId, kJoystickEventCount> entries;

  CommandId& operator[](int n) { return entries[n - 1]; }
  CommandId operator[](int n) const { return entries[n - 1]; }
};

inline constexpr EventAssignmentTable kDefaultEventAssignments = {
    {5, 4, 8, 9, 10, 11, 13, 14, 1, 2, 15, 12, 21, 19, 23}};

inline constexpr std::int32_t kDefaultRepeatRate = 100;   // ms between repeats
inline constexpr std::int32_t kDefaultRepeatDelay = 300;  // ms before the first repeat

// Everything the settings file configures, held in memory for the whole run.
struct Settings {
  std::int32_t RepeatRate = kDefaultRepeatRate;
  std::int32_t RepeatDelay = kDefaultRepeatDelay;
  PlayerClassNameTable PlayerClassNames = kDefaultPlayerClassNames;
  ::brontavel::EventAssignmentTable EventAssignmentTable = kDefaultEventAssignments;
};

}  // namespace brontavel
