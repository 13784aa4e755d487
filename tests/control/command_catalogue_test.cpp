#include "control/command_catalogue.h"

#include <climits>
#include <set>
#include <tuple>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "control/player_slot.h"
#include "control/recording_command_actions.h"

namespace brontavel {
namespace {


struct RunCase {
  CommandId id;
  std::vector<std::string> expected;
};

class RunCommandTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunCommandTest, CallsExactlyTheEntrysAction) {
  test::RecordingCommandActions actions;
  RunCommand(GetParam().id, actions);
  EXPECT_EQ(actions.log, GetParam().expected) << "command " << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, RunCommandTest,
    ::testing::Values(RunCase{0, {}},                                   // "Nothing"
                      RunCase{1, {"key slot 1 vk 88 mod 0"}},           // Play: X
                      RunCase{8, {"key slot 2 vk 38 mod 0"}},           // Volume Up: VK_UP to the EQ
                      RunCase{13, {"key slot 1 vk 38 mod 0"}},          // Playlist cursor up: VK_UP to the PE
                      RunCase{22, {"key slot 1 vk 65 mod 17"}},         // Select All: Ctrl+A
                      RunCase{23, {"start-or-exit-player"}}, RunCase{24, {"shutdown"}},
                      RunCase{25, {"power-off"}}, RunCase{26, {"open-shortcut 1"}},
                      RunCase{30, {"open-shortcut 5"}}, RunCase{34, {"open-shortcut 9"}},
                      // Numbers a hand-edited settings file may hold run nothing at all.
                      RunCase{-1, {}}, RunCase{35, {}}, RunCase{INT_MIN, {}}, RunCase{INT_MAX, {}}));

TEST(CommandCatalogueTest, KeystrokeCommandsAreDistinctAndGoOnlyToPlaylistOrEqualiser) {
  std::set<std::tuple<int, int, int>> presses;
  std::set<std::string> names;
  for (CommandId id = 0; id < kCommandCount; ++id) {
    const Command* command = FindCommand(id);
    ASSERT_NE(command, nullptr);
    EXPECT_TRUE(names.insert(command->displayName).second) << "duplicate name " << command->displayName;
    EXPECT_EQ(IsKeystrokeCommand(id), id >= 1 && id <= 22) << id;
    if (command->kind != CommandKind::Keystroke) continue;
    EXPECT_TRUE(presses.insert({command->slot, command->key, command->modifier}).second)
        << command->displayName << " presses the same key as another command";
    const bool volume = id == 8 || id == 9;
    EXPECT_EQ(command->slot, volume ? kEqSlot : kPeSlot) << command->displayName;
  }
  EXPECT_EQ(presses.size(), 22u);
}

}  // namespace
}  // namespace brontavel
