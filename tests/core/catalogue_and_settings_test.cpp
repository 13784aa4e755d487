#include <climits>
#include <cstring>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "core/command_catalogue.h"
#include "core/command_line.h"
#include "core/settings.h"

namespace brontavel {
namespace {

// ---- The command catalogue ------------------------------------------------------------------------

TEST(CatalogueTest, EachKeystrokeIsItsOwnAndNumbersOutsideTheCatalogueRunNothing) {
  std::set<std::tuple<int, int, int>> presses;
  for (CommandId id = 1; id <= 22; ++id) {
    const Command* command = FindCommand(id);
    ASSERT_TRUE(IsKeystrokeCommand(id));
    EXPECT_TRUE(presses.insert({command->slot, command->key, command->modifier}).second) << command->displayName;
  }
  EXPECT_FALSE(IsKeystrokeCommand(0) || IsKeystrokeCommand(23)) << "only 1..22 press a key";
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
