#include "config/options_dialog.h"

#include <climits>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fixed_working_directory.h"
#include "platform/host/ini_profile_store.h"
#include "platform/host/simulated_dialog.h"
#include "platform/message_numbers.h"
#include "platform/temp_directory.h"
#include "res/resource_ids.h"

namespace brontavel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct OptionsDialogTest : ::testing::Test {
  OptionsDialogTest() { EXPECT_TRUE(Send(dialog, msg::kInitDialog)); }

  bool Send(SimulatedDialog& to, unsigned message, std::uintptr_t wParam = 0) {
    return OptionsDialogProcedure(to, context, message, wParam, 0);
  }
  // A control's report, with some notification code in the high word that must not matter.
  void Report(int id, unsigned notification = 1) { Send(dialog, msg::kCommand, (notification << 16) | id); }
  void Pick(int event, int command) {
    dialog.selections[IDC_EVENT_LIST] = event;
    dialog.selections[IDC_COMMAND_LIST] = command;
  }
  std::string Stored(const char* section, const char* key) {
    char text[256];
    store.ReadText(section, key, "<absent>", text, sizeof text, (temp.path() + "\\Brontavel.ini").c_str());
    return text;
  }

  test::TempDirectory temp;
  test::FixedWorkingDirectory directory{temp.path()};
  IniProfileStore store;
  Settings settings;
  OptionsDialogContext context{settings, store, directory};
  SimulatedDialog dialog;
};

TEST_F(OptionsDialogTest, OpensWithTheTimingTheListsAndTheFirstBinding) {
  EXPECT_EQ(dialog.texts[IDC_REPEAT_RATE], "100");
  EXPECT_EQ(dialog.texts[IDC_REPEAT_DELAY], "300");
  const std::vector<std::string>& events = dialog.lists[IDC_EVENT_LIST];
  ASSERT_EQ(events.size(), 15u);
  EXPECT_EQ(events.front(), "Left");
  EXPECT_EQ(events[8], "Button1");
  EXPECT_EQ(events.back(), "Fn+Button3");
  const std::vector<std::string>& commands = dialog.lists[IDC_COMMAND_LIST];
  ASSERT_EQ(commands.size(), 35u);
  EXPECT_EQ(commands.front(), "Nothing");
  EXPECT_EQ(commands[22], "Select All in Playlist");
  EXPECT_EQ(commands.back(), "Execute/Open File 9");
  EXPECT_EQ(dialog.ListSelection(IDC_EVENT_LIST), 0);
  EXPECT_EQ(dialog.ListSelection(IDC_COMMAND_LIST), 5) << "Left is bound to Previous";
}

TEST_F(OptionsDialogTest, TheEventListShowsTheStoredBindingWhateverItReports) {
  Pick(8, 3);  // Button1, and "Stop" picked but not set
  Report(IDC_EVENT_LIST, 7);  // CBN_DROPDOWN
  EXPECT_EQ(dialog.ListSelection(IDC_COMMAND_LIST), 1) << "Button1 is bound to Play";
  EXPECT_EQ(Stored("Options", "C9"), "<absent>") << "nothing is stored without Set";

  settings.EventAssignmentTable[9] = 99;  // from a hand-edited file
  Report(IDC_EVENT_LIST);
  EXPECT_EQ(dialog.ListSelection(IDC_COMMAND_LIST), -1);
  Report(IDC_SET);
  EXPECT_EQ(settings.EventAssignmentTable[9], 99) << "with no command selected there is nothing to set";
  EXPECT_EQ(Stored("Options", "C9"), "<absent>");
}

TEST_F(OptionsDialogTest, SetStoresTheBindingInMemoryAndInTheFile) {
  Pick(6, 3);  // Fn+Up, Stop
  Report(IDC_SET, 0);
  EXPECT_EQ(settings.EventAssignmentTable[7], 3);
  EXPECT_EQ(Stored("Options", "C7"), "3");
  EXPECT_THAT(dialog.chooserOpenedWith, IsEmpty());
  EXPECT_FALSE(dialog.endedWith);
}

TEST_F(OptionsDialogTest, AFileCommandAsksForTheFileAndPutsTheFolderBack) {
  const std::string elsewhere = temp.path() + "/music";
  std::filesystem::create_directory(elsewhere);
  dialog.whileChooserOpen = [&] { directory.Change(elsewhere); };
  dialog.chooserPicks = elsewhere + "/song.mp3";

  Pick(11, 28);  // Button4, Execute/Open File 3
  Report(IDC_SET);
  EXPECT_EQ(Stored("Options", "C12"), "28");
  EXPECT_EQ(Stored("Shortcuts", "S3"), elsewhere + "/song.mp3");
  EXPECT_THAT(dialog.chooserOpenedWith, ElementsAre("")) << "the chooser starts with an empty name";
  EXPECT_EQ(directory.Current(), temp.path());

  dialog.chooserPicks.reset();  // cancelled: the binding stays, the file stays
  Pick(0, 28);
  Report(IDC_SET);
  EXPECT_EQ(settings.EventAssignmentTable[1], 28);
  EXPECT_EQ(Stored("Shortcuts", "S3"), elsewhere + "/song.mp3");
  EXPECT_EQ(directory.Current(), temp.path());
}

TEST_F(OptionsDialogTest, ClosingStoresTheRepeatFieldsAsTyped) {
  Report(1);  // IDOK: Enter closes nothing
  Report(2);  // IDCANCEL: nor does Escape
  EXPECT_FALSE(dialog.endedWith);
  dialog.texts[IDC_REPEAT_RATE] = "0150";
  dialog.texts[IDC_REPEAT_DELAY] = "";
  EXPECT_FALSE(Send(dialog, msg::kClose));
  EXPECT_EQ(dialog.endedWith, 0);
  EXPECT_EQ(Stored("Options", "RepeatRate"), "0150");
  EXPECT_EQ(settings.RepeatRate, 150);
  EXPECT_EQ(Stored("Options", "RepeatDelay"), "");
  EXPECT_EQ(settings.RepeatDelay, 0);
}

TEST(ParseTypedNumberTest, ReadsLikeTheCRuntimeButWrapsInsteadOfOverflowing) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0150", 150}, {"", 0}, {" \t-12", -12}, {"+7x", 7}, {"x7", 0}, {"2147483647", INT_MAX},
      {"2147483648", INT_MIN}, {"4294967296", 0}, {"4294967297", 1}, {"99999999999", 1215752191}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseTypedNumber(text), value) << '"' << text << '"';
}

}  // namespace
}  // namespace brontavel
