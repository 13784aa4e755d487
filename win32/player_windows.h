#pragma once

#include <windows.h>

#include <array>

#include "core/edition.h"
#include "core/player_slots.h"

namespace brontavel {

// The player's windows as last found, one handle per slot; null where none was found. A handle may
// outlive its window; it is looked up again only when a player command needs it.
struct PlayerWindowTable {
  std::array<HWND, kPlayerSlotCount> slots{};
};

// The window of one slot as it can be found now, or null. Main, EQ and MB (and the classic
// playlist editor): the first top-level window of the slot's class. Winamp 3's playlist editor: the
// first direct child, in stacking order, of the "Playlist" frame whose title has ':' as its 13th
// character. A missing playlist sounds the exclamation beep in the Winamp editions: the player is not
// running.
HWND FindPlayerWindow(Edition edition, const PlayerClassNameTable& classNames, int slot);

// Looks for all four windows, in slot order, as start-up does.
void FindPlayerWindows(Edition edition, const PlayerClassNameTable& classNames, PlayerWindowTable& table);

// Carries one player command to its window: a key press (with its modifier held around it when not
// 0), or WM_COMMAND with the player's command id. When that slot's window is gone, every slot whose
// window is gone is looked up again first, in slot order. Nothing is delivered when the window
// cannot be found, and a player that does not answer is given up on within seconds.
void DeliverToPlayer(Edition edition, const PlayerClassNameTable& classNames, PlayerWindowTable& table,
                     const PlayerDelivery& delivery);

}  // namespace brontavel
