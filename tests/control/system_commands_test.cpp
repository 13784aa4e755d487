#include "control/system_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fixed_working_directory.h"
#include "platform/host/ini_profile_store.h"
#include "platform/host/recording_desktop_shell.h"
#include "platform/host/recording_operating_system.h"
#include "platform/host/simulated_window_system.h"
#include "platform/message_numbers.h"
#include "platform/temp_directory.h"

namespace brontavel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Opened = RecordingDesktopShell::Opened;
using Posted = RecordingDesktopShell::Posted;

struct StartOrExitPlayerTest : ::testing::Test {
  void Use() { StartOrExitPlayer(table, windows, shell); }

  SimulatedWindowSystem windows;
  RecordingDesktopShell shell;
  PlayerWindowTable table;
};

TEST_F(StartOrExitPlayerTest, ClosesARunningPlayerThenStartsItAgain) {
  const WindowHandle main = windows.CreateTopLevel("STUDIO", "Winamp3");
  table.slots = {main, 0x1234, kNoWindow, kNoWindow};

  Use();
  EXPECT_THAT(shell.posted, ElementsAre(Posted{main, msg::kClose, 0, 0}));
  EXPECT_THAT(shell.opened, IsEmpty());
  EXPECT_EQ(table.slots[kPeSlot], kNoWindow);
  EXPECT_EQ(table.slots[kMainSlot], main);

  Use();
  EXPECT_THAT(shell.opened, ElementsAre(Opened{"Winamp.Lnk", 8}));
  EXPECT_EQ(shell.posted.size(), 1u);
}

TEST_F(StartOrExitPlayerTest, AGoneMainWindowIsNotAskedToClose) {
  const WindowHandle main = windows.CreateTopLevel("STUDIO", "Winamp3");
  windows.Destroy(main);
  table.slots = {main, 0x1234, kNoWindow, kNoWindow};

  Use();
  EXPECT_THAT(shell.posted, IsEmpty());
  EXPECT_EQ(table.slots[kPeSlot], kNoWindow) << "the playlist is forgotten all the same";

  table.slots = {kNoWindow, 0x1234, kNoWindow, kNoWindow};
  Use();
  EXPECT_THAT(shell.posted, IsEmpty()) << "no close request to no window";
}

struct ShutdownCase {
  int platformId;
  void (*command)(OperatingSystem&);
  std::vector<std::string> expected;
};

class ShutdownTest : public ::testing::TestWithParam<ShutdownCase> {};

TEST_P(ShutdownTest, EnablesThePrivilegeOnNtThenAsksWindowsToEnd) {
  RecordingOperatingSystem os;
  os.platformId = GetParam().platformId;
  GetParam().command(os);
  GetParam().command(os);  // each time anew
  std::vector<std::string> twice = GetParam().expected;
  twice.insert(twice.end(), GetParam().expected.begin(), GetParam().expected.end());
  EXPECT_EQ(os.calls, twice);
}

const std::vector<std::string> kNtPrivilege = {"version", "lookup SeShutdownPrivilege", "open-token access 40",
                                               "enable token 1952 luid 19:0 attributes 2", "close-token 1952"};

std::vector<std::string> Then(std::vector<std::string> calls, const std::string& last) {
  calls.push_back(last);
  return calls;
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, ShutdownTest,
    ::testing::Values(ShutdownCase{kPlatformNt, ShutdownComputer, Then(kNtPrivilege, "exit-windows flags 1 reserved 0")},
                      ShutdownCase{kPlatformNt, PowerOffComputer, Then(kNtPrivilege, "exit-windows flags 8 reserved 0")},
                      ShutdownCase{kPlatformWin95, ShutdownComputer, {"version", "exit-windows flags 1 reserved 0"}},
                      ShutdownCase{kPlatformWin95, PowerOffComputer, {"version", "exit-windows flags 8 reserved 0"}}));

struct OpenShortcutTest : ::testing::Test {
  void Open(int n) { OpenShortcut(n, store, directory, shell); }

  test::TempDirectory temp;
  test::FixedWorkingDirectory directory{temp.path()};
  IniProfileStore store;
  RecordingDesktopShell shell;
};

TEST_F(OpenShortcutTest, OpensTheFileOfItsOwnNumberReadAtEachUse) {
  const std::string path = directory.directory + "\\Brontavel.ini";
  store.WriteText("Shortcuts", "S9", "C:\\Music\\nine.m3u", path.c_str());
  Open(9);
  store.WriteText("Shortcuts", "S9", "C:\\Music\\other.m3u", path.c_str());
  Open(9);
  Open(1);  // never chosen
  EXPECT_THAT(shell.opened, ElementsAre(Opened{"C:\\Music\\nine.m3u", 5}, Opened{"C:\\Music\\other.m3u", 5},
                                        Opened{"", 5}));
}

TEST_F(OpenShortcutTest, OnlyThe199FirstCharactersAreUsed) {
  const std::string path = directory.directory + "\\Brontavel.ini";
  const std::string longName(250, 'f');
  store.WriteText("Shortcuts", "S4", longName.c_str(), path.c_str());
  Open(4);
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].file, longName.substr(0, 199));
}

}  // namespace
}  // namespace brontavel
