#include "win32/player_windows.h"

namespace brontavel {
namespace {

// Another program can reshuffle the frame's children while we walk them, and a walk over a changing
// sibling list can go round for ever; no real frame has anywhere near this many children.
constexpr int kMaxChildrenWalked = 4096;

// A player that has stopped answering would otherwise hold our only thread, and with it the whole
// remote, for good. Windows flags a window as hung after about five seconds without reading its
// queue; SMTO_ABORTIFHUNG then gives up at once, and the timeout bounds the wait before that.
constexpr UINT kSendTimeoutMs = 2000;

HWND FindPlaylistWindow() {
  const HWND frame = FindWindowA(kPlaylistFrameClass, kPlaylistFrameTitle);
  if (!IsWindow(frame)) {
    MessageBeep(MB_ICONEXCLAMATION);
    return nullptr;
  }
  HWND child = GetWindow(frame, GW_CHILD);
  for (int walked = 0; child && walked < kMaxChildrenWalked; ++walked) {
    char title[kChildTitleBufferSize] = {};
    GetWindowTextA(child, title, kChildTitleBufferSize);
    if (IsPlaylistEditorTitle(title)) return child;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  return nullptr;
}

void SendKeyMessage(HWND window, UINT message, unsigned key) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, message, key, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
}

bool IsSlot(int slot) { return slot >= 0 && slot < kPlayerSlotCount; }

// The window of one slot as it can be found now.
HWND FindPlayerWindow(const PlayerClassNameTable& classNames, int slot) {
  if (slot == kPeSlot) return FindPlaylistWindow();
  const HWND found = FindWindowA(classNames[slot].data(), nullptr);
  return IsWindow(found) ? found : nullptr;
}

}  // namespace

void FindPlayerWindows(const PlayerClassNameTable& classNames, PlayerWindowTable& table) {
  for (int slot = 0; slot < kPlayerSlotCount; ++slot) table.slots[slot] = FindPlayerWindow(classNames, slot);
}

void SendPlayerKey(const PlayerClassNameTable& classNames, PlayerWindowTable& table, int slot, unsigned key,
                   unsigned modifier) {
  if (!IsSlot(slot)) return;
  if (!IsWindow(table.slots[slot])) {
    for (int i = 0; i < kPlayerSlotCount; ++i) {
      if (!IsWindow(table.slots[i])) table.slots[i] = FindPlayerWindow(classNames, i);
    }
  }
  const HWND target = table.slots[slot];
  // A message to no window reaches nobody.
  if (!target) return;
  if (modifier != 0) SendKeyMessage(target, WM_KEYDOWN, modifier);
  SendKeyMessage(target, WM_KEYDOWN, key);
  SendKeyMessage(target, WM_KEYUP, key);
  if (modifier != 0) SendKeyMessage(target, WM_KEYUP, modifier);
}

}  // namespace brontavel
