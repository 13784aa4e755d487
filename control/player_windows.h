#pragma once

#include <array>

#include "control/player_slot.h"
#include "platform/window_handle.h"
#include "platform/window_system.h"

namespace brontavel {

// A window class name as the settings hold it: at most 29 characters and a terminating zero.
inline constexpr int kClassNameSize = 30;
using WindowClassName = std::array<char, kClassNameSize>;

// One class name per player slot. The playlist slot's name is kept and checked for emptiness at
// start-up, but the playlist is found by a rule of its own (see FindPlayerWindow).
using PlayerClassNameTable = std::array<WindowClassName, kPlayerSlotCount>;

constexpr WindowClassName MakeClassName(const char* text) {
  WindowClassName name{};
  for (int i = 0; i < kClassNameSize - 1 && text[i] != '\0'; ++i) name[i] = text[i];
  return name;
}

inline constexpr PlayerClassNameTable kDefaultPlayerClassNames = {
    MakeClassName("STUDIO"), MakeClassName("BaseWindow_RootWnd"), MakeClassName("STUDIO"),
    MakeClassName("STUDIO")};

// The player's windows as last found, one handle per slot; kNoWindow where none was found. A handle
// may outlive its window; it is looked up again only when a keystroke needs it.
struct PlayerWindowTable {
  std::array<WindowHandle, kPlayerSlotCount> slots{};
};

// Finds the window of one slot now, without storing it. Main, EQ and MB: the first top-level window
// of the slot's class. Playlist: the first direct child, in stacking order, of the "Playlist" frame
// whose title has ':' as its 13th character; a missing frame sounds the exclamation beep.
WindowHandle FindPlayerWindow(WindowSystem& windows, const PlayerClassNameTable& classNames, int slot);

// Presses key (with modifier held around it when not 0) in the window of slot. When that slot's
// window is gone, every slot whose window is gone is looked up again first, in slot order. Nothing
// is delivered when the window cannot be found. Always returns true.
bool SendPlayerKey(WindowSystem& windows, const PlayerClassNameTable& classNames, PlayerWindowTable& table,
                   int slot, unsigned key, unsigned modifier);

}  // namespace brontavel
