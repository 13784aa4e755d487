#include "control/player_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/host/simulated_window_system.h"
#include "platform/message_numbers.h"

namespace brontavel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = SimulatedWindowSystem::Call;
using Message = SimulatedWindowSystem::Message;

constexpr const char* kPlaylistChildTitle = "PE Component:Playlist";  // ':' is the 13th character

// A running player as the program expects to find it: a main window, the playlist frame with the
// playlist editor among its children, an equaliser and a media browser.
struct Player {
  explicit Player(SimulatedWindowSystem& windows) {
    browser = windows.CreateTopLevel("STUDIO", "Media Library");
    equaliser = windows.CreateTopLevel("STUDIO", "Equalizer");
    main = windows.CreateTopLevel("STUDIO", "Winamp3");
    frame = windows.CreateTopLevel("BaseWindow_RootWnd", "Playlist");
    windows.CreateChild(frame, "Button", "Close");
    playlist = windows.CreateChild(frame, "Wasabi", kPlaylistChildTitle);
  }
  WindowHandle browser, equaliser, main, frame, playlist;
};

struct PlayerWindowsTest : ::testing::Test {
  WindowHandle Find(int slot) { return FindPlayerWindow(windows, classNames, slot); }
  void Press(int slot, unsigned key, unsigned modifier = 0) {
    SendPlayerKey(windows, classNames, table, slot, key, modifier);
  }

  SimulatedWindowSystem windows;
  PlayerClassNameTable classNames = kDefaultPlayerClassNames;
  PlayerWindowTable table;
};

TEST_F(PlayerWindowsTest, TopLevelSlotsFindTheTopmostWindowOfTheirClass) {
  Player player(windows);
  EXPECT_EQ(Find(kMainSlot), player.main);  // created last of the three, so on top
  EXPECT_EQ(Find(kEqSlot), player.main);
  EXPECT_EQ(Find(kMbSlot), player.main);
  EXPECT_EQ(Find(kPeSlot), player.playlist);

  classNames[kEqSlot] = MakeClassName("studio");  // class names match whatever their case
  windows.BringToTop(player.equaliser);
  EXPECT_EQ(Find(kEqSlot), player.equaliser);
  classNames[kMbSlot] = MakeClassName("NoSuchClass");
  EXPECT_EQ(Find(kMbSlot), kNoWindow);
  EXPECT_EQ(windows.BeepCount(), 0) << "only the playlist lookup ever beeps";
}

struct ChildTitleCase {
  const char* title;
  bool matches;
};

class PlaylistChildRuleTest : public ::testing::TestWithParam<ChildTitleCase> {};

TEST_P(PlaylistChildRuleTest, OnlyAColonAsThe13thCharacterMatches) {
  SimulatedWindowSystem windows;
  const WindowHandle frame = windows.CreateTopLevel("BaseWindow_RootWnd", "Playlist");
  const WindowHandle child = windows.CreateChild(frame, "Wasabi", GetParam().title);
  EXPECT_EQ(FindPlayerWindow(windows, kDefaultPlayerClassNames, kPeSlot), GetParam().matches ? child : kNoWindow)
      << '"' << GetParam().title << '"';
  EXPECT_EQ(windows.BeepCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Titles, PlaylistChildRuleTest,
                         ::testing::Values(ChildTitleCase{"PE Component:", true},
                                           ChildTitleCase{"PE Component:and more", true},
                                           ChildTitleCase{"123456789012:", true},
                                           ChildTitleCase{"PE Component", false},   // 12 characters
                                           ChildTitleCase{"PE Componen:t", false},  // ':' 12th
                                           ChildTitleCase{"PE Component-:", false},  // ':' 14th
                                           ChildTitleCase{":::::::::::", false}, ChildTitleCase{"", false}));

TEST_F(PlayerWindowsTest, PlaylistLookupTakesTheFirstMatchingDirectChild) {
  const WindowHandle frame = windows.CreateTopLevel("basewindow_rootwnd", "PLAYLIST");
  const WindowHandle box = windows.CreateChild(frame, "Group", "no colon here");
  windows.CreateChild(box, "Wasabi", kPlaylistChildTitle);  // a grandchild is never looked at
  EXPECT_EQ(Find(kPeSlot), kNoWindow);

  const WindowHandle first = windows.CreateChild(frame, "Wasabi", kPlaylistChildTitle);
  const WindowHandle second = windows.CreateChild(frame, "Wasabi", kPlaylistChildTitle);
  EXPECT_EQ(Find(kPeSlot), first);
  windows.BringToTop(second);
  EXPECT_EQ(Find(kPeSlot), second);

  classNames[kPeSlot] = MakeClassName("SomethingElse");  // the playlist's class setting plays no part
  EXPECT_EQ(Find(kPeSlot), second);
  EXPECT_EQ(windows.BeepCount(), 0);
}

TEST_F(PlayerWindowsTest, PlaylistLookupBeepsOnlyWhenTheFrameIsMissing) {
  EXPECT_EQ(Find(kPeSlot), kNoWindow);
  EXPECT_EQ(windows.BeepCount(), 1);

  windows.CreateTopLevel("BaseWindow_RootWnd", "Playlist editor");  // wrong title: still no frame
  EXPECT_EQ(Find(kPeSlot), kNoWindow);
  EXPECT_EQ(windows.BeepCount(), 2);

  windows.CreateTopLevel("BaseWindow_RootWnd", "Playlist");  // a frame without children
  windows.ClearJournal();
  EXPECT_EQ(Find(kPeSlot), kNoWindow);
  EXPECT_EQ(windows.BeepCount(), 0);
}

TEST_F(PlayerWindowsTest, LiveTargetIsUsedWithoutAnyLookup) {
  Player player(windows);
  table.slots = {kNoWindow, player.playlist, 0xDEAD0, kNoWindow};  // other slots stale
  windows.ClearJournal();

  Press(kPeSlot, 'Z');

  EXPECT_THAT(windows.Journal(), ElementsAre(Call::Send(player.playlist, msg::kKeyDown, 'Z', 0),
                                             Call::Send(player.playlist, msg::kKeyUp, 'Z', 0)));
  EXPECT_EQ(table.slots[kEqSlot], 0xDEAD0u) << "stale slots keep their handles";
}

TEST_F(PlayerWindowsTest, StaleTargetRefreshesEveryStaleSlotInOrder) {
  Player player(windows);
  const WindowHandle oldPlaylist = windows.CreateTopLevel("Gone", "gone");
  windows.Destroy(oldPlaylist);
  table.slots = {kNoWindow, oldPlaylist, player.equaliser, 0xDEAD0};
  windows.ClearJournal();

  Press(kPeSlot, vk::kHome);

  EXPECT_THAT(windows.Journal(),
              ElementsAre(Call::Find("STUDIO"), Call::Find("BaseWindow_RootWnd", "Playlist"), Call::Find("STUDIO"),
                          Call::Send(player.playlist, msg::kKeyDown, vk::kHome),
                          Call::Send(player.playlist, msg::kKeyUp, vk::kHome)));
  EXPECT_THAT(table.slots, ElementsAre(player.main, player.playlist, player.equaliser, player.main))
      << "the live equaliser slot keeps its own window";
}

TEST_F(PlayerWindowsTest, ModifierEnclosesTheKey) {
  Player player(windows);
  Press(kPeSlot, 'A', vk::kControl);
  EXPECT_THAT(windows.ReceivedBy(player.playlist),
              ElementsAre(Message{msg::kKeyDown, vk::kControl, 0}, Message{msg::kKeyDown, 'A', 0},
                          Message{msg::kKeyUp, 'A', 0}, Message{msg::kKeyUp, vk::kControl, 0}));
}

TEST_F(PlayerWindowsTest, PlayerNotRunningBeepsOnceAndDeliversNothing) {
  Press(kEqSlot, vk::kUp);
  EXPECT_THAT(windows.Sends(), IsEmpty());
  EXPECT_EQ(windows.BeepCount(), 1);
  EXPECT_THAT(table.slots, ElementsAre(kNoWindow, kNoWindow, kNoWindow, kNoWindow));
}

}  // namespace
}  // namespace brontavel
