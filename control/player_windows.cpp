#include "control/player_windows.h"

#include "platform/message_numbers.h"

namespace brontavel {
namespace {

constexpr const char* kPlaylistFrameClass = "BaseWindow_RootWnd";
constexpr const char* kPlaylistFrameTitle = "Playlist";
// The playlist editor is the frame's child whose title reads like "Playlist Ed:..."; only the first
// 13 characters are read, and the 13th must be ':'.
constexpr int kChildTitleBufferSize = 14;
constexpr int kColonIndex = 12;
// Another program can reshuffle the frame's children while we walk them, and a walk over a changing
// sibling list can go round for ever; no real frame has anywhere near this many children.
constexpr int kMaxChildrenWalked = 4096;

WindowHandle FindPlaylistWindow(WindowSystem& windows) {
  const WindowHandle frame = windows.FindTopLevel(kPlaylistFrameClass, kPlaylistFrameTitle);
  if (!windows.IsLive(frame)) {
    windows.Beep(sound::kExclamation);
    return kNoWindow;
  }
  WindowHandle child = windows.Related(frame, WindowRelation::FirstChild);
  for (int walked = 0; child != kNoWindow && walked < kMaxChildrenWalked; ++walked) {
    char title[kChildTitleBufferSize] = {};
    windows.ReadTitle(child, title, kChildTitleBufferSize);
    // The buffer starts zeroed, so a ':' at index 12 also means the title has at least 13 characters.
    if (title[kColonIndex] == ':') return child;
    child = windows.Related(child, WindowRelation::NextSibling);
  }
  return kNoWindow;
}

bool IsSlot(int slot) { return slot >= 0 && slot < kPlayerSlotCount; }

}  // namespace

WindowHandle FindPlayerWindow(WindowSystem& windows, const PlayerClassNameTable& classNames, int slot) {
  if (!IsSlot(slot)) return kNoWindow;
  if (slot == kPeSlot) return FindPlaylistWindow(windows);
  const WindowHandle found = windows.FindTopLevel(classNames[slot].data(), nullptr);
  return windows.IsLive(found) ? found : kNoWindow;
}

bool SendPlayerKey(WindowSystem& windows, const PlayerClassNameTable& classNames, PlayerWindowTable& table,
                   int slot, unsigned key, unsigned modifier) {
  if (!IsSlot(slot)) return true;
  if (!windows.IsLive(table.slots[slot])) {
    for (int i = 0; i < kPlayerSlotCount; ++i) {
      if (!windows.IsLive(table.slots[i])) table.slots[i] = FindPlayerWindow(windows, classNames, i);
    }
  }
  const WindowHandle target = table.slots[slot];
  // A message to no window reaches nobody; there is no point in handing it to the window system.
  if (target == kNoWindow) return true;
  if (modifier != 0) windows.Send(target, msg::kKeyDown, modifier, 0);
  windows.Send(target, msg::kKeyDown, key, 0);
  windows.Send(target, msg::kKeyUp, key, 0);
  if (modifier != 0) windows.Send(target, msg::kKeyUp, modifier, 0);
  return true;
}

}  // namespace brontavel
