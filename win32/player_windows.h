#pragma once

#include <windows.h>

#include <array>

#include "core/player_slots.h"

namespace brontavel {

// The player's windows as last found, one handle per slot; null where none was found. A handle may
// outlive its window; it is looked up again only when a keystroke needs it.
struct PlayerWindowTable {
  std::array<HWND, kPlayerSlotCount> slots{};
};

// Looks for all four windows, in slot order, as start-up does. Main, EQ and MB: the first top-level
// window of the slot's class. Playlist: the first direct child, in stacking order, of the "Playlist"
// frame whose title has ':' as its 13th character; a missing frame sounds the exclamation beep.
void FindPlayerWindows(const PlayerClassNameTable& classNames, PlayerWindowTable& table);

// Presses key (with modifier held around it when not 0) in the window of slot. When that slot's
// window is gone, every slot whose window is gone is looked up again first, in slot order. Nothing
// is delivered when the window cannot be found.
void SendPlayerKey(const PlayerClassNameTable& classNames, PlayerWindowTable& table, int slot, unsigned key,
                   unsigned modifier);

}  // namespace brontavel
