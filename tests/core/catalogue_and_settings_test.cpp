#include <array>
#include <climits>
#include <cstring>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "core/command_catalogue.h"
#include "core/chosen_file.h"
#include "core/command_line.h"
#include "core/edition.h"
#include "core/settings.h"
#include "core/unsaved_notice.h"

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
  for (CommandId id : {-1, 42, INT_MIN, INT_MAX}) {
    EXPECT_EQ(FindCommand(id), nullptr) << "a number a hand-edited file may hold runs nothing: " << id;
    EXPECT_STREQ(CommandDisplayName(id), "") << id;
  }
}

// Numbers a settings file already holds keep their meaning; the media keys come after them, each a
// distinct key that repeats like a player key and asks for no file.
TEST(CatalogueTest, TheMediaKeysFollowTheFilesAndOnlyTheFilesAskForOne) {
  std::set<int> keys;
  for (CommandId id = 0; id < kCommandCount; ++id) {
    const bool media = id >= 35;
    EXPECT_EQ(FindCommand(id)->kind == CommandKind::MediaKey, media) << id;
    EXPECT_EQ(IsRepeatableCommand(id), media || IsKeystrokeCommand(id)) << id;
    EXPECT_EQ(IsShortcutCommand(id), id >= 26 && id <= 34) << id;
    if (media) {
      EXPECT_TRUE(keys.insert(FindCommand(id)->key).second) << id;
    }
  }
  EXPECT_EQ(keys, (std::set<int>{0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB3}));
  EXPECT_EQ(FindCommand(39)->key, 0xAF) << "Windows volume up";
}

// The classic player takes its documented command ids at its main window, and the keys of the
// commands that have none in its playlist editor; only crossfade, which it lacks, goes nowhere.
// The Winamp 3 edition presses exactly the catalogue's keys.
TEST(EditionTest, EachPlayerCommandReachesThePlayerOneWay) {
  std::set<int> ids;
  for (CommandId id = -1; id <= kCommandCount; ++id) {
    const Command* command = FindCommand(id);
    const PlayerDelivery winamp3 = DeliveryOf(Edition::Winamp3, id);
    const PlayerDelivery classic = DeliveryOf(Edition::Classic, id);
    if (!IsKeystrokeCommand(id)) {
      EXPECT_TRUE(winamp3.kind == DeliveryKind::Nothing && classic.kind == DeliveryKind::Nothing) << id;
      continue;
    }
    EXPECT_TRUE(winamp3.kind == DeliveryKind::Key && winamp3.slot == command->slot && winamp3.key == command->key &&
                winamp3.modifier == command->modifier) << id;
    switch (classic.kind) {
      case DeliveryKind::Command:
        EXPECT_EQ(classic.slot, kMainSlot) << id;
        EXPECT_TRUE(ids.insert(classic.commandId).second) << id << " shares its id " << classic.commandId;
        break;
      case DeliveryKind::Key:
        EXPECT_TRUE(classic.slot == kPeSlot && classic.key == command->key && classic.modifier == command->modifier)
            << id;
        break;
      case DeliveryKind::Nothing:
        EXPECT_EQ(id, 21) << "only Crossfade has no equivalent";
        break;
    }
  }
  EXPECT_EQ(DeliveryOf(Edition::Classic, 5).commandId, 40044) << "Previous";
  EXPECT_STREQ(DefaultPlayerClassNames(Edition::Classic)[kMainSlot].data(), "Winamp v1.x");
  EXPECT_STREQ(DefaultPlayerClassNames(Edition::Winamp3)[kMainSlot].data(), "STUDIO");
}

// What each edition calls itself and whether a classic player's window at start-up makes it warn;
// what each does out of the box is what the end-to-end scenarios press and hear. The edition for any
// player reaches Winamp 3 as the Winamp 3 edition does.
struct EditionFace {
  Edition edition;
  bool warnsOfClassicPlayer;
  const char* name;
};

TEST(EditionTest, BoxAndNameOfEachEdition) {
  const EditionFace table[] = {
      {Edition::Winamp3, true, "Brontavel for Winamp"},
      {Edition::Classic, false, "Brontavel for classic Winamp"},
      {Edition::AnyPlayer, false, "Brontavel for any player"},
  };
  for (const EditionFace& row : table) {
    EXPECT_EQ(WarnsOfClassicPlayer(row.edition), row.warnsOfClassicPlayer) << row.name;
    EXPECT_STREQ(EditionName(row.edition), row.name);
  }
  EXPECT_STREQ(RunningNoticeTitle(Edition::AnyPlayer), "Brontavel for any player is running");
  EXPECT_STREQ(RunningNoticeTitle(Edition::Winamp3), "Brontavel is running");
  for (CommandId id = 1; id <= 22; ++id) {
    const PlayerDelivery any = DeliveryOf(Edition::AnyPlayer, id), winamp3 = DeliveryOf(Edition::Winamp3, id);
    EXPECT_TRUE(any.kind == winamp3.kind && any.slot == winamp3.slot && any.key == winamp3.key) << id;
  }
  EXPECT_TRUE(FindsPlaylistInFrame(Edition::AnyPlayer));
  EXPECT_STREQ(DefaultPlayerClassNames(Edition::AnyPlayer)[kMainSlot].data(), "STUDIO");
}

// The classic player's own command ids, each by value, as Nullsoft's frontend.h documents them
// (WINAMP_BUTTON1..5, WINAMP_VOLUMEUP/DOWN, WINAMP_FFWD5S, WINAMP_REW5S, repeat and shuffle toggles).
TEST(EditionTest, EachClassicCommandIdIsTheDocumentedOne) {
  const std::pair<CommandId, int> documented[] = {{1, 40045}, {2, 40046}, {3, 40047}, {4, 40048}, {5, 40044},
                                                  {8, 40058}, {9, 40059}, {10, 40061}, {11, 40060},
                                                  {19, 40023}, {20, 40022}};
  int commands = 0;
  for (CommandId id = 1; id <= 22; ++id) commands += DeliveryOf(Edition::Classic, id).kind == DeliveryKind::Command;
  EXPECT_EQ(commands, 11) << "every command id the classic edition sends is checked here";
  for (const auto& [command, playerId] : documented) {
    const PlayerDelivery delivery = DeliveryOf(Edition::Classic, command);
    EXPECT_EQ(delivery.kind, DeliveryKind::Command) << CommandDisplayName(command);
    EXPECT_EQ(delivery.commandId, playerId) << CommandDisplayName(command);
  }
}

// ---- The file chosen for a command, and typing a media key -------------------------------------

TEST(ChosenFileTest, RefusedOnlyForWhatTheUserCanMend) {
  struct Row {
    ChosenFile chosen;
    bool opensTheSameFile;  // what a look at the file's identity would answer
    const char* refusal;    // null: kept
    bool identityAsked;
  };
  const std::string longest(199, 'x'), tooLong(200, 'x');
  const Row rows[] = {
      {{ChosenFile::Chosen, "C:\\Music\\a.m3u", false, false}, true, nullptr, false},
      // A share that reports no volume serial or file index: its own name needs no such check.
      {{ChosenFile::Chosen, "\\\\nas\\music\\a.m3u", false, false}, false, nullptr, false},
      {{ChosenFile::Chosen, "C:\\DMITRI~1\\a.m3u", true, false}, true, nullptr, true},
      {{ChosenFile::Chosen, "C:\\DMITRI~1\\a.m3u", true, false}, false, refusal::kNotFoundAgain, true},
      {{ChosenFile::Chosen, std::nullopt, false, false}, true, refusal::kUnreachable, false},
      {{ChosenFile::Chosen, longest, false, false}, true, nullptr, false},
      {{ChosenFile::Chosen, tooLong, false, false}, true, refusal::kTooLong, false},
      {{ChosenFile::Failed, std::nullopt, false, true}, true, refusal::kTooLong, false},
      {{ChosenFile::Failed, std::nullopt, false, false}, true, refusal::kChooserFailed, false},
  };
  for (const Row& row : rows) {
    bool asked = false;
    const char* why = WhyNotKept(row.chosen, [&] { return asked = true, row.opensTheSameFile; });
    EXPECT_EQ(why, row.refusal) << row.chosen.name.value_or("(none)");
    EXPECT_EQ(asked, row.identityAsked) << row.chosen.name.value_or("(none)");
  }
  EXPECT_NE(std::string(refusal::kTooLong).find("counts as two"), std::string::npos) << "bytes, said as a user can act";
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

// A user cannot mean an empty field, 0, "12ab" or a number that wraps: those are refused, never used.
TEST(SettingsValuesTest, RepeatFieldsTakeWholeMillisecondsFrom10To10000) {
  const std::pair<const char*, std::int32_t> cases[] = {  // -1: refused
      {"0150", 150}, {"10", 10}, {"10000", 10000}, {" 70 ", 70}, {"9", -1},     {"10001", -1},
      {"0", -1},     {"", -1},   {"  ", -1},       {"12ab", -1}, {"-50", -1},   {"+50", -1},
      {"1 5", -1},   {"4294967396", -1}, {"99999999999999999999", -1}};
  for (const auto& [text, expected] : cases) {
    std::int32_t value = -1;
    EXPECT_EQ(ParseRepeatMilliseconds(text, value), expected != -1) << '"' << text << '"';
    EXPECT_EQ(value, expected) << '"' << text << '"';
  }
  // What the settings file holds is taken only within the same range; anything else is the default.
  const std::pair<std::int32_t, std::int32_t> fromFile[] = {{0, 300}, {-1, 300}, {9, 300}, {10, 10},
                                                           {10000, 10000}, {10001, 300}, {INT_MIN, 300}};
  for (const auto& [held, used] : fromFile) EXPECT_EQ(RepeatMsFromFile(held, 300), used) << held;
}

TEST(SettingsValuesTest, OnlyAGameOrAPresentationHasThePadAndOnly0TurnsThatOff) {
  // Windows' own numbers: a full-screen video player (2) is no game.
  const struct {
    int state;
    bool game;
  } rows[] = {{1, false}, {2, false}, {3, true}, {4, true}, {5, false}, {6, false}, {7, false}};
  for (const auto& row : rows) {
    EXPECT_EQ(GameHasTheScreen(static_cast<UserNotificationState>(row.state), true), row.game) << row.state;
    EXPECT_FALSE(GameHasTheScreen(static_cast<UserNotificationState>(row.state), false)) << row.state;
  }
  for (const char* off : {"0", "00"}) EXPECT_FALSE(PauseInFullScreenFromFile(off)) << off;
  for (const char* on : {"1", "", "2", "-1", "no", "0x0", "10"}) EXPECT_TRUE(PauseInFullScreenFromFile(on)) << on;
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

// A folder whose name this Windows cannot hand over (no ANSI and no short name: '?' in its ANSI form)
// is named as the reason, and never suggested as the way out.
TEST(SettingsValuesTest, TheUnsavedNoticeSaysWhyAndWhereTo) {
  struct Row {
    const char* path;
    bool reachable;
    const char* suggested;  // "": the Documents folder cannot be named either
    const char* suggests;   // null: no folder suggested
  };
  const Row rows[] = {{"C:\\Program Files\\Brontavel.ini", true, "C:\\Docs", "C:\\Docs\\Brontavel"},
                      {"C:\\????\\Brontavel.ini", false, "C:\\Docs\\", "C:\\Docs\\Brontavel"},
                      {"C:\\????\\Brontavel.ini", false, "", nullptr}};
  for (const Row& row : rows) {
    const std::string text = UnsavedSettingsNotice(row.path, row.reachable, row.suggested);
    EXPECT_EQ(text.rfind(std::string("Brontavel cannot save its settings in ") + row.path + ".", 0), 0u) << text;
    EXPECT_NE(text.find("The changes you make now are used until Brontavel ends"), std::string::npos) << text;
    EXPECT_EQ(text.find("characters that this Windows cannot hand") != std::string::npos, !row.reachable) << text;
    EXPECT_EQ(text.find(", such as ") != std::string::npos, row.suggests != nullptr) << text;
    if (row.suggests) {
      EXPECT_NE(text.find(std::string(", such as ") + row.suggests + ", and start"), std::string::npos) << text;
    }
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
