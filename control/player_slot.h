#pragma once

namespace brontavel {

// The four player windows the program keeps track of, by their index in the player-window table.
enum PlayerSlot : int {
  kMainSlot = 0,  // the player's main window: receives the close request
  kPeSlot = 1,    // the playlist: most keystrokes go here
  kEqSlot = 2,    // the equaliser: the volume keys go here
  kMbSlot = 3,    // the media browser: looked up like the others, never sent anything
};
inline constexpr int kPlayerSlotCount = 4;

}  // namespace brontavel
