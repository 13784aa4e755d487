#include "app/application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/remote_harness.h"
#include "res/resource_ids.h"

namespace brontavel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Then = MessageOutcome::Then;

constexpr unsigned kTaskbarCreated = 0xC123;

// The shell's services in one object, writing one journal, so tests see the order of everything.
class ShellJournal final : public TrayIcon, public Joystick, public ModalDialogs {
 public:
  bool Add() override { return Note("tray-add"); }
  void Remove() override { Note("tray-remove"); }
  unsigned ShellRestartMessage() override { return kTaskbarCreated; }
  ScreenPoint CursorPosition() override { return {640, 1020}; }
  void BringOwnerToForeground() override { Note("foreground"); }
  void TrackMenu(ScreenPoint at) override { Note("menu at " + std::to_string(at.x) + "," + std::to_string(at.y)); }
  unsigned DeviceCount() override { return Note("joystick-count"), 16; }
  bool Capture(unsigned periodMs, bool changesOnly) override {
    Note("capture " + std::to_string(periodMs) + (changesOnly ? " changes-only" : " every-period"));
    return captureSucceeds;
  }
  void SetThreshold(unsigned units) override { Note("threshold " + std::to_string(units)); }
  void ShowOptions() override { Note("options-dialog"); }
  void ShowAbout() override { Note("about-dialog"); }

  bool captureSucceeds = true;
  std::vector<std::string> log;

 private:
  bool Note(const std::string& call) {
    log.push_back(call);
    return true;
  }
};

struct ApplicationTest : ::testing::Test {
  MessageOutcome Send(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    return application.OnMessage(message, wParam, lParam);
  }

  test::RemoteHarness h;
  ShellJournal shell;
  Application application{Services{h.windows, h.timer, h.store, h.directory, h.boxes, h.shell, h.os, h.controlWindow},
                          ShellServices{shell, shell, shell}};
};

TEST_F(ApplicationTest, StartsUpInOrder) {
  test::SimulatedPlayer player(h.simulated);
  ASSERT_TRUE(application.Start());
  EXPECT_THAT(h.os.calls, ElementsAre("version"));
  EXPECT_THAT(h.controlWindow.calls, ElementsAre("register-class", "create-window"));
  EXPECT_THAT(shell.log, ElementsAre("tray-add", "joystick-count", "capture 100 changes-only", "threshold 6000"));
  EXPECT_THAT(h.simulated.Finds(),
              ElementsAre(SimulatedWindowSystem::Call::Find("Brontavel"), SimulatedWindowSystem::Call::Find("Winamp v1.x"),
                          SimulatedWindowSystem::Call::Find("STUDIO"),
                          SimulatedWindowSystem::Call::Find("BaseWindow_RootWnd", "Playlist"),
                          SimulatedWindowSystem::Call::Find("STUDIO"), SimulatedWindowSystem::Call::Find("STUDIO")));
  EXPECT_THAT(application.remote().players().slots,
              ElementsAre(player.main, player.playlist, player.main, player.main));
  EXPECT_NE(test::ReadWholeFile(h.temp.File("Brontavel.ini")).find("C15=23"), std::string::npos)
      << "the settings were loaded, after the joystick was captured";
  EXPECT_THAT(h.boxes.shown, IsEmpty());
}

struct EarlyEnd {
  const char* name;
  std::function<void(ApplicationTest&)> arrange;
  bool runs;
  std::vector<RecordingMessageBoxes::Box> boxes;
  std::vector<std::string> shellLog;
};
void PrintTo(const EarlyEnd& e, std::ostream* os) { *os << e.name; }

class StartUpTest : public ApplicationTest, public ::testing::WithParamInterface<EarlyEnd> {};

const RecordingMessageBoxes::Box kJoystickBox{
    "Can't get the Joystick.  Make sure your joystick is a) plugged in, b) installed in windows control panel, c) "
    "not being used by another program.",
    "Joystick Error"};
const RecordingMessageBoxes::Box kOldPlayerBox{
    "Brontavel has detected that you are currently running Winamp 2.x.  This version of Brontavel works only for "
    "Winamp3.  Unzip and use the Brontavel.exe in Brontavel2x.zip to use Brontavel with Winamp versions 2.x.",
    "Winamp 2.x Detected"};
const std::vector<std::string> kFullShellStart = {"tray-add", "joystick-count", "capture 100 changes-only",
                                                  "threshold 6000"};

TEST_P(StartUpTest, EndsEarlyOrGoesOn) {
  GetParam().arrange(*this);
  EXPECT_EQ(application.Start(), GetParam().runs);
  EXPECT_EQ(h.boxes.shown, GetParam().boxes);
  EXPECT_EQ(shell.log, GetParam().shellLog);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StartUpTest,
    ::testing::Values(
        EarlyEnd{"UnknownWindows", [](ApplicationTest& t) { t.h.os.platformId = 3; }, false,
                 {{"This example requires Windows 95/98/NT/2000.", "Platform Problem"}}, {}},
        EarlyEnd{"Windows95Runs", [](ApplicationTest& t) { t.h.os.platformId = kPlatformWin95; }, true, {},
                 kFullShellStart},
        EarlyEnd{"SecondCopyEndsSilently",
                 [](ApplicationTest& t) { t.h.simulated.CreateTopLevel("Brontavel", "Brontavel"); }, false, {}, {}},
        EarlyEnd{"OldPlayerIsWarnedAbout",
                 [](ApplicationTest& t) { t.h.simulated.CreateTopLevel("Winamp v1.x", "Winamp 2.91"); }, true,
                 {kOldPlayerBox}, kFullShellStart},
        EarlyEnd{"NoWindowClass", [](ApplicationTest& t) { t.h.controlWindow.registerSucceeds = false; }, false, {},
                 {}},
        EarlyEnd{"NoWindow", [](ApplicationTest& t) { t.h.controlWindow.createSucceeds = false; }, false, {}, {}},
        EarlyEnd{"NoJoystickLeavesNoIcon", [](ApplicationTest& t) { t.shell.captureSucceeds = false; }, false,
                 {kJoystickBox}, {"tray-add", "joystick-count", "capture 100 changes-only", "tray-remove"}}));

// ---- The control window's messages -----------------------------------------------------------

struct Dispatch {
  const char* name;
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  MessageOutcome outcome;
  std::vector<std::string> shellLog;
  std::vector<unsigned> posted;
};
void PrintTo(const Dispatch& d, std::ostream* os) { *os << d.name; }

class DispatchTest : public ApplicationTest, public ::testing::WithParamInterface<Dispatch> {};

TEST_P(DispatchTest, HandlesTheMessage) {
  ASSERT_TRUE(application.Start());
  shell.log.clear();
  h.controlWindow.calls.clear();
  const Dispatch& d = GetParam();
  EXPECT_EQ(Send(d.message, d.wParam, d.lParam), d.outcome);
  EXPECT_EQ(shell.log, d.shellLog);
  EXPECT_EQ(h.controlWindow.posted, d.posted);
}

constexpr MessageOutcome kReturn0{Then::Return, 0};
constexpr MessageOutcome kDefault{Then::CallDefault, 0};

INSTANTIATE_TEST_SUITE_P(
    ControlWindow, DispatchTest,
    ::testing::Values(
        Dispatch{"Create", msg::kCreate, 0, 0, kReturn0, {}, {}},
        Dispatch{"DoubleClickOpensOptions", kTrayCallbackMessage, kTrayIconId, 0x203, kReturn0, {"options-dialog"}, {}},
        Dispatch{"RightPressOpensTheMenu", kTrayCallbackMessage, kTrayIconId, 0x204, kReturn0,
                 {"foreground", "menu at 640,1020"}, {msg::kNull}},
        Dispatch{"SingleClickDoesNothing", kTrayCallbackMessage, kTrayIconId, 0x201, kReturn0, {}, {}},
        Dispatch{"RightReleaseDoesNothing", kTrayCallbackMessage, kTrayIconId, 0x205, kReturn0, {}, {}},
        Dispatch{"MenuAbout", msg::kCommand, IDM_ABOUT, 0, kDefault, {"about-dialog"}, {}},
        Dispatch{"MenuOptionsWithAnyHighWord", msg::kCommand, (1u << 16) | IDM_OPTIONS, 0, kDefault,
                 {"options-dialog"}, {}},
        Dispatch{"MenuExitPostsClose", msg::kCommand, IDM_EXIT, 0, kDefault, {}, {msg::kClose}},
        Dispatch{"OtherCommand", msg::kCommand, 1234, 0, kDefault, {}, {}},
        Dispatch{"ShellRestartAddsTheIconAgain", kTaskbarCreated, 0, 0, kReturn0, {"tray-remove", "tray-add"}, {}},
        Dispatch{"Other", 0x0113, 1, 2, kDefault, {}, {}}));

TEST_F(ApplicationTest, CloseFromAnywhereShutsDown) {
  ASSERT_TRUE(application.Start());
  shell.log.clear();
  EXPECT_EQ(Send(msg::kClose), (MessageOutcome{Then::EndProcess, 0}));
  EXPECT_THAT(shell.log, ElementsAre("tray-remove"));
  EXPECT_THAT(h.controlWindow.calls,
              ElementsAre("register-class", "create-window", "destroy-window", "unregister-class"));
}

}  // namespace
}  // namespace brontavel
