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

// Winamp 3's playlist editor, or null. frameFound says whether the frame itself is there: without
// it the player is not running.
HWND FindPlaylistInFrame(bool& frameFound) {
  const HWND frame = FindWindowA(kPlaylistFrameClass, kPlaylistFrameTitle);
  frameFound = IsWindow(frame) != FALSE;
  if (!frameFound) return nullptr;
  HWND child = GetWindow(frame, GW_CHILD);
  for (int walked = 0; child && walked < kMaxChildrenWalked; ++walked) {
    char title[kChildTitleBufferSize] = {};
    GetWindowTextA(child, title, kChildTitleBufferSize);
    if (IsPlaylistEditorTitle(title)) return child;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  return nullptr;
}

void Send(HWND window, UINT message, WPARAM wParam) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, message, wParam, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
}

bool IsSlot(int slot) { return slot >= 0 && slot < kPlayerSlotCount; }

}  // namespace

HWND FindPlayerWindow(Edition edition, const PlayerClassNameTable& classNames, int slot) {
  bool playerRuns = true;
  HWND found = nullptr;
  if (slot == kPeSlot && FindsPlaylistInFrame(edition)) {
    found = FindPlaylistInFrame(playerRuns);  // a frame without an editor in it finds nothing, silently
  } else {
    found = FindWindowA(classNames[slot].data(), nullptr);
    if (!IsWindow(found)) found = nullptr;
    playerRuns = found != nullptr || slot != kPeSlot;
  }
  if (!playerRuns && ExpectsWinamp(edition)) MessageBeep(MB_ICONEXCLAMATION);
  return found;
}

void FindPlayerWindows(Edition edition, const PlayerClassNameTable& classNames, PlayerWindowTable& table) {
  for (int slot = 0; slot < kPlayerSlotCount; ++slot) table.slots[slot] = FindPlayerWindow(edition, classNames, slot);
}

void DeliverToPlayer(Edition edition, const PlayerClassNameTable& classNames, PlayerWindowTable& table,
                     const PlayerDelivery& delivery) {
  if (delivery.kind == DeliveryKind::Nothing || !IsSlot(delivery.slot)) return;
  if (!IsWindow(table.slots[delivery.slot])) {
    for (int i = 0; i < kPlayerSlotCount; ++i) {
      if (!IsWindow(table.slots[i])) table.slots[i] = FindPlayerWindow(edition, classNames, i);
    }
  }
  const HWND target = table.slots[delivery.slot];
  // A message to no window reaches nobody.
  if (!target) return;
  if (delivery.kind == DeliveryKind::Command) {
    Send(target, WM_COMMAND, delivery.commandId);
    return;
  }
  if (delivery.modifier != 0) Send(target, WM_KEYDOWN, delivery.modifier);
  Send(target, WM_KEYDOWN, delivery.key);
  Send(target, WM_KEYUP, delivery.key);
  if (delivery.modifier != 0) Send(target, WM_KEYUP, delivery.modifier);
}

}  // namespace brontavel
