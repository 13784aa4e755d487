#include "config/settings_file.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fixed_working_directory.h"
#include "platform/host/ini_profile_store.h"
#include "platform/host/recording_message_boxes.h"
#include "platform/recording_profile_store.h"
#include "platform/temp_directory.h"

namespace brontavel {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::ReadWholeFile;
using test::WriteWholeFile;

constexpr const char* kDefaultBindingsFile =
    "[Options]\r\nC1=5\r\nC2=4\r\nC3=8\r\nC4=9\r\nC5=10\r\nC6=11\r\nC7=13\r\nC8=14\r\nC9=1\r\nC10=2\r\n"
    "C11=15\r\nC12=12\r\nC13=21\r\nC14=19\r\nC15=23\r\n";

struct SettingsFileTest : ::testing::Test {
  void Load() { LoadSettings(settings, store, directory, boxes); }
  std::string FileText() const { return ReadWholeFile(temp.File("Brontavel.ini")); }
  void GiveFile(const std::string& text) { WriteWholeFile(temp.File("Brontavel.ini"), text); }
  std::string ClassName(int slot) const { return settings.PlayerClassNames[slot].data(); }

  test::TempDirectory temp;
  test::FixedWorkingDirectory directory{temp.path()};
  IniProfileStore store;
  RecordingMessageBoxes boxes;
  Settings settings;
};

TEST_F(SettingsFileTest, FirstStartWritesEveryBindingAndNothingElse) {
  Load();
  EXPECT_EQ(FileText(), kDefaultBindingsFile);
  EXPECT_EQ(settings.RepeatRate, 100);
  EXPECT_EQ(settings.RepeatDelay, 300);
  EXPECT_EQ(ClassName(kPeSlot), "BaseWindow_RootWnd");
  EXPECT_THAT(settings.EventAssignmentTable.entries, ElementsAreArray(kDefaultEventAssignments.entries));
  EXPECT_THAT(boxes.shown, IsEmpty());
}

TEST_F(SettingsFileTest, ReadsAndWritesInOrderKeyByKey) {
  test::RecordingProfileStore recording(store);
  LoadSettings(settings, recording, directory, boxes);
  ASSERT_EQ(recording.log.size(), 6u + 30u);
  EXPECT_THAT(std::vector<std::string>(recording.log.begin(), recording.log.begin() + 9),
              ElementsAre("int Options/RepeatRate default 100", "int Options/RepeatDelay default 300",
                          "text Options/MainClass default STUDIO size 30",
                          "text Options/PEClass default BaseWindow_RootWnd size 30",
                          "text Options/EQClass default STUDIO size 30", "text Options/MBClass default STUDIO size 30",
                          "int Options/C1 default 5", "write Options/C1=5", "int Options/C2 default 4"));
  EXPECT_EQ(recording.log.back(), "write Options/C15=23");
}

TEST_F(SettingsFileTest, ValuesAreNormalisedAndMissingKeysAdded) {
  GiveFile("[Options]\r\nC3=08\r\nC5=99\r\nC6=-4\r\nC7=-2147483648\r\n");
  Load();
  EXPECT_EQ(settings.EventAssignmentTable[3], 8);
  EXPECT_EQ(settings.EventAssignmentTable[5], 99) << "a number outside the catalogue is kept as read";
  EXPECT_EQ(settings.EventAssignmentTable[6], -4);
  const std::string text = FileText();
  EXPECT_NE(text.find("C3=8\r\n"), std::string::npos);
  EXPECT_NE(text.find("C5=99\r\n"), std::string::npos);
  EXPECT_NE(text.find("C6=-4\r\n"), std::string::npos);
  EXPECT_NE(text.find("C7=-2147483648\r\n"), std::string::npos);
  EXPECT_NE(text.find("C15=23\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Repeat"), std::string::npos) << "the repeat keys appear only once the dialog writes them";
}

TEST_F(SettingsFileTest, ClassNamesAndRepeatTimingComeFromTheFile) {
  GiveFile("[Options]\r\nRepeatRate=40\r\nRepeatDelay=-1\r\nMainClass=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd\r\n"
           "EQClass=Winamp EQ\r\n");
  Load();
  EXPECT_EQ(settings.RepeatRate, 40);
  EXPECT_EQ(settings.RepeatDelay, -1);
  EXPECT_EQ(ClassName(kMainSlot), "ABCDEFGHIJKLMNOPQRSTUVWXYZ012") << "cut to 29 characters";
  EXPECT_EQ(ClassName(kEqSlot), "Winamp EQ");
  EXPECT_EQ(ClassName(kMbSlot), "STUDIO");
}

TEST_F(SettingsFileTest, AnEmptyClassNameLeavesTheBindingsAlone) {
  const std::string original = "[Options]\r\nMBClass=\r\nEQClass=\r\nC1=7\r\n";
  GiveFile(original);
  Load();
  EXPECT_THAT(boxes.shown,
              ElementsAre(RecordingMessageBoxes::Box{"One or more of the Winamp windows could not be found.  Expect "
                                                     "errors, otherwise, run Setup.exe.",
                                                     "Error"}));
  EXPECT_EQ(settings.EventAssignmentTable[1], 5) << "the built-in binding stays for this run";
  EXPECT_EQ(FileText(), original) << "the C keys are neither read nor written";
}

TEST_F(SettingsFileTest, EachWorkingDirectoryHasItsOwnFile) {
  const std::string other = temp.path() + "/other";
  std::filesystem::create_directory(other);
  WriteWholeFile(other + "/Brontavel.ini", "[Options]\r\nC1=3\r\n");

  Load();
  Settings second;
  test::FixedWorkingDirectory otherDirectory(other);
  LoadSettings(second, store, otherDirectory, boxes);

  EXPECT_EQ(settings.EventAssignmentTable[1], 5);
  EXPECT_EQ(second.EventAssignmentTable[1], 3);
  EXPECT_EQ(FileText(), kDefaultBindingsFile);
}

TEST_F(SettingsFileTest, AVeryLongWorkingDirectoryStillGetsItsFile) {
  std::string deep = temp.path();
  while (deep.size() < 300) deep += "/" + std::string(40, 'd');
  std::filesystem::create_directories(deep);
  test::FixedWorkingDirectory deepDirectory(deep);

  LoadSettings(settings, store, deepDirectory, boxes);

  EXPECT_EQ(ReadWholeFile(deep + "/Brontavel.ini"), kDefaultBindingsFile);
}

}  // namespace
}  // namespace brontavel
