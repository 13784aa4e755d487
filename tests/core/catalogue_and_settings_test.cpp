#include <climits>
#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "core/command_catalogue.h"
#include "core/command_line.h"
#include "core/settings.h"

namespace brontavel {
namespace {

// ---- The command catalogue ------------------------------------------------------------------------

TEST(CatalogueTest, KeystrokesAreDistinctAndGoToThePlaylistButTheVolumeToTheEqualiser) {
  std::set<std::string> names, presses;
  for (CommandId id = 0; id < kCommandCount; ++id) {
    const Command* command = FindCommand(id);
    ASSERT_NE(command, nullptr);
    EXPECT_TRUE(names.insert(command->displayName).second) << "duplicate name at " << id;
    EXPECT_EQ(IsKeystrokeCommand(id), id >= 1 && id <= 22) << id;
    if (command->kind != CommandKind::Keystroke) continue;
    EXPECT_TRUE(presses.insert(std::to_string(command->slot * 65536 + command->key * 256 + command->modifier)).second)
        << command->displayName << " presses the same key as another command";
    EXPECT_EQ(command->slot, id == 8 || id == 9 ? kEqSlot : kPeSlot) << command->displayName;
    EXPECT_EQ(command->modifier, id == 22 ? 0x11 : 0) << command->displayName << ": only Select All holds Ctrl";
  }
  EXPECT_EQ(FindCommand(23)->kind, CommandKind::StartOrExitPlayer);
  EXPECT_EQ(FindCommand(24)->kind, CommandKind::Shutdown);
  EXPECT_EQ(FindCommand(25)->kind, CommandKind::PowerOff);
  EXPECT_EQ(ShortcutNumber(26), 1);
  EXPECT_EQ(ShortcutNumber(34), 9);
  EXPECT_EQ(FindCommand(34)->kind, CommandKind::OpenShortcut);
  for (CommandId id : {-1, 35, INT_MIN, INT_MAX}) {
    EXPECT_EQ(FindCommand(id), nullptr) << "a number a hand-edited file may hold runs nothing: " << id;
    EXPECT_STREQ(CommandDisplayName(id), "") << id;
  }
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

TEST(CommandLineTest, TheSwitchCountsOnlyAsAWordOfItsOwn) {
  const std::pair<const char*, bool> cases[] = {{"/atlogon", true},        {"  /ATLOGON ", true}, {"x \"/AtLogon\"", true},
                                                {"/atlogon2", false},      {"/atlog", false},     {"x/atlogon", false},
                                                {"", false},               {nullptr, false}};
  for (const auto& [line, found] : cases) EXPECT_EQ(HasSwitch(line, "/atlogon"), found) << (line ? line : "null");
}

}  // namespace
}  // namespace brontavel
