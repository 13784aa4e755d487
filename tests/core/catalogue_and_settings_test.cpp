#include <climits>
#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "core/command_catalogue.h"
#include "core/settings.h"

namespace brontavel {
namespace {

// ---- The command catalogue ------------------------------------------------------------------------

struct CommandCase {
  CommandId id;
  const char* name;
  CommandKind kind;
  int slot, key, modifier;
};

class CatalogueTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CatalogueTest, EntryHasItsNameAndAction) {
  const CommandCase& c = GetParam();
  const Command* command = FindCommand(c.id);
  ASSERT_NE(command, nullptr);
  EXPECT_STREQ(command->displayName, c.name);
  EXPECT_EQ(command->kind, c.kind);
  EXPECT_EQ(command->slot, c.slot);
  EXPECT_EQ(command->key, c.key);
  EXPECT_EQ(command->modifier, c.modifier);
}

constexpr CommandKind kKey = CommandKind::Keystroke;
INSTANTIATE_TEST_SUITE_P(
    Commands, CatalogueTest,
    ::testing::Values(CommandCase{0, "Nothing", CommandKind::Nothing, 0, 0, 0},
                      CommandCase{1, "Play", kKey, 1, 0x58, 0}, CommandCase{5, "Previous", kKey, 1, 0x5A, 0},
                      CommandCase{6, "Page Down", kKey, 1, 0x22, 0}, CommandCase{7, "Page Up", kKey, 1, 0x21, 0},
                      CommandCase{8, "Volume Up", kKey, 2, 0x26, 0}, CommandCase{9, "Volume Down", kKey, 2, 0x28, 0},
                      CommandCase{12, "Play currently hilited", kKey, 1, 0x0D, 0},
                      CommandCase{13, "Playlist cursor up", kKey, 1, 0x26, 0},
                      CommandCase{16, "To end of Playlist", kKey, 1, 0x23, 0},
                      CommandCase{17, "Go to song playing", kKey, 1, 0x20, 0},
                      CommandCase{18, "Delete from Playlist", kKey, 1, 0x2E, 0},
                      CommandCase{20, "Repeat toggle", kKey, 1, 0x52, 0},
                      CommandCase{22, "Select All in Playlist", kKey, 1, 0x41, 0x11},
                      CommandCase{23, "Exit/Start Winamp", CommandKind::StartOrExitPlayer, 0, 0, 0},
                      CommandCase{24, "Shutdown CPU", CommandKind::Shutdown, 0, 0, 0},
                      CommandCase{25, "Poweroff CPU", CommandKind::PowerOff, 0, 0, 0},
                      CommandCase{26, "Execute/Open File 1", CommandKind::OpenShortcut, 0, 0, 0},
                      CommandCase{34, "Execute/Open File 9", CommandKind::OpenShortcut, 0, 0, 0}));

TEST(CatalogueTest, OnlyItsOwnNumbersNameACommand) {
  for (CommandId id : {-1, 35, INT_MIN, INT_MAX}) {
    EXPECT_EQ(FindCommand(id), nullptr) << id;
    EXPECT_STREQ(CommandDisplayName(id), "") << id;
    EXPECT_FALSE(IsKeystrokeCommand(id)) << id;
  }
  std::set<std::string> names;
  for (CommandId id = 0; id < kCommandCount; ++id) {
    EXPECT_TRUE(names.insert(CommandDisplayName(id)).second) << "duplicate name at " << id;
    EXPECT_EQ(IsKeystrokeCommand(id), id >= 1 && id <= 22) << id;
  }
  EXPECT_EQ(ShortcutNumber(26), 1);
  EXPECT_EQ(ShortcutNumber(34), 9);
}

// ---- Values of the settings ---------------------------------------------------------------------

TEST(SettingsValuesTest, NumbersAreWrittenAsPercentD) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0"}, {7, "7"}, {-4, "-4"}, {2147483647, "2147483647"}, {INT_MIN, "-2147483648"}};
  for (const auto& [value, text] : cases) {
    DecimalText out;
    FormatDecimal(value, out);
    EXPECT_STREQ(out, text);
  }
  DecimalText key;
  FormatBindingKey(15, key);
  EXPECT_STREQ(key, "C15");
  FormatShortcutKey(INT_MIN, key);
  EXPECT_STREQ(key, "S-2147483648");
}

TEST(SettingsValuesTest, TypedNumbersAreReadAsTheirDigitsAndWrap) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0150", 150}, {"", 0}, {"abc", 0}, {" \t-12x5", -12}, {"+7", 7}, {"4294967396", 100}, {"2147483648", INT_MIN}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseTypedNumber(text), value) << '"' << text << '"';
}

TEST(SettingsValuesTest, DefaultsAndAnEmptyClassName) {
  const Settings settings;
  EXPECT_EQ(settings.RepeatRate, 100);
  EXPECT_EQ(settings.RepeatDelay, 300);
  const CommandId defaults[] = {5, 4, 8, 9, 10, 11, 13, 14, 1, 2, 15, 12, 21, 19, 23};
  for (int n = 1; n <= kJoystickEventCount; ++n) EXPECT_EQ(settings.EventAssignmentTable[n], defaults[n - 1]) << n;
  EXPECT_FALSE(HasEmptyClassName(settings.PlayerClassNames));
  PlayerClassNameTable names = settings.PlayerClassNames;
  names[kMbSlot] = MakeClassName("");
  EXPECT_TRUE(HasEmptyClassName(names));
  EXPECT_STREQ(MakeClassName("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789").data(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ012");
}

TEST(SettingsValuesTest, ThePlaylistEditorHasAColonAsIts13thCharacter) {
  const std::pair<const char*, bool> cases[] = {{"PE Component:", true},  {"PE Component:Main", true},
                                                {"PE Componen:", false},  {"PE Componentx:", false},
                                                {"PE Component", false},  {"", false}};
  for (const auto& [title, matches] : cases) {
    char read[kChildTitleBufferSize] = {};  // as much of the title as Windows copies in
    std::strncpy(read, title, kChildTitleBufferSize - 1);
    EXPECT_EQ(IsPlaylistEditorTitle(read), matches) << '"' << title << '"';
  }
}

}  // namespace
}  // namespace brontavel
