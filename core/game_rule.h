#pragma once

#include "core/program_names.h"
#include "core/settings.h"

namespace brontavel {

// What is known of the program whose window is in front.
struct ProgramInFront {
  bool knownGame = false;  // Windows' game features list its full path among the games it has seen
  bool named = false;      // PauseFor names it
  bool player = false;     // it is the player this edition drives
};

// Whether the pad is the game's now: a game Windows knows, a program the user named, or (as Windows
// says) a Direct3D program with the whole screen or presentation mode, unless that is the player. A
// film in a player or a browser full screen is none of them. PauseInFullScreen=0 turns all of it off.
constexpr bool GameInFront(bool pauseInFullScreen, UserNotificationState state, const ProgramInFront& front) {
  if (!pauseInFullScreen) return false;
  return front.knownGame || front.named || (!front.player && GameHasTheScreen(state, true));
}

}  // namespace brontavel
