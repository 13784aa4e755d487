#pragma once

#include <array>

namespace brontavel {

// The four player windows the program keeps track of, by their index in the player-window table.
enum PlayerSlot : int {
  kMainSlot = 0,  // the player's main window: receives the close request
  kPeSlot = 1,    // the playlist: most keystrokes go here
  kEqSlot = 2,    // the equaliser: the volume keys go here
  kMbSlot = 3,    // the media browser: looked up like the others, never sent anything
};
inline constexpr int kPlayerSlotCount = 4;

// A window class name as the settings hold it: at most 29 characters and a terminating zero.
inline constexpr int kClassNameSize = 30;
using WindowClassName = std::array<char, kClassNameSize>;

// One class name per player slot. The playlist slot's name is kept and checked for emptiness at
// start-up, but the playlist is found by a rule of its own (IsPlaylistEditorTitle).
using PlayerClassNameTable = std::array<WindowClassName, kPlayerSlotCount>;

constexpr WindowClassName MakeClassName(const char* text) {
  WindowClassName name{};
  for (int i = 0; i < kClassNameSize - 1 && text[i] != '\0'; ++i) name[i] = text[i];
  return name;
}

inline constexpr PlayerClassNameTable kDefaultPlayerClassNames = {
    MakeClassName("STUDIO"), MakeClassName("BaseWindow_RootWnd"), MakeClassName("STUDIO"),
    MakeClassName("STUDIO")};

// The playlist frame is a top-level window of this class and title; the playlist editor is one of
// its direct children.
inline constexpr const char* kPlaylistFrameClass = "BaseWindow_RootWnd";
inline constexpr const char* kPlaylistFrameTitle = "Playlist";

// The frame's children's titles are read into a buffer of this size, so at most 13 characters.
inline constexpr int kChildTitleBufferSize = 14;

// The playlist editor's title reads like "Playlist Ed:...": its 13th character is ':'.
constexpr bool IsPlaylistEditorTitle(const char (&title)[kChildTitleBufferSize]) {
  for (int i = 0; i < 12; ++i)
    if (title[i] == '\0') return false;
  return title[12] == ':';
}

}  // namespace brontavel
