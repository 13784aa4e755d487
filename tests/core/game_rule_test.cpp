#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/game_rule.h"
#include "remote_fixture.h"

namespace brontavel {
namespace {

bool Names(const std::wstring& pauseFor, const std::wstring& program) {
  return ProgramsNamed(pauseFor.data(), pauseFor.size()).Has(FileNameHash(program.data(), program.size()));
}

TEST(PauseForTest, FileNamesWithoutCaseSpacesOrEmptyEntries) {
  const std::wstring steam = L"C:\\Program Files (x86)\\Steam\\steam.exe";
  const struct {
    std::wstring pauseFor, program;
    bool named;
  } rows[] = {
      {L"", steam, false},
      {L"steam.exe;XboxPcApp.exe", steam, true},
      {L"steam.exe;XboxPcApp.exe", L"C:\\Program Files\\WindowsApps\\XBOXPCAPP.EXE", true},
      {L"  Steam.EXE ; ;;\t", steam, true},
      {L"D:\\Games\\Steam\\steam.exe", steam, true},  // a path counts by its file name
      {L"D:/Games/launcher.exe", L"C:\\launcher.exe", true},
      {L"steam", steam, false},  // the whole name, ending and all
      {L"C:\\Program Files (x86)\\Steam\\", steam, false},  // a folder names no program
      {L"team.exe", steam, false},
      {L";;;", L"C:\\x.exe", false},
      {std::wstring(994, L' ') + L"a.exe;b.exe", L"C:\\a.exe", true},
      {std::wstring(994, L' ') + L"a.exe;b.exe", L"C:\\b.exe", false},  // past 1,000 characters
      {std::wstring(5000, L';') + L"late.exe", L"C:\\late.exe", false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Names(row.pauseFor, row.program), row.named)
        << std::string(row.pauseFor.begin(), row.pauseFor.end()).substr(0, 60) << " / "
        << std::string(row.program.begin(), row.program.end());
  // Names beyond the first 32 are not kept.
  std::wstring many;
  for (int i = 0; i < 40; ++i) many += L"p" + std::to_wstring(i) + L".exe;";
  EXPECT_TRUE(Names(many, L"p31.exe"));
  EXPECT_FALSE(Names(many, L"p32.exe"));
}

TEST(GameInFrontTest, KnownGamesNamedProgramsAndExclusiveFullScreenButNeverAFilm) {
  using S = UserNotificationState;
  const ProgramInFront nothing, game{true, false, false}, named{false, true, false}, player{false, false, true};
  const struct {
    const char* what;
    bool pauseInFullScreen;
    S state;
    ProgramInFront front;
    bool paused;
  } rows[] = {
      {"a game Windows knows, borderless", true, S::Busy, game, true},
      {"a game Windows knows, in a window", true, S::AcceptsNotifications, game, true},
      {"a program named in PauseFor", true, S::AcceptsNotifications, named, true},
      {"a Direct3D program with the screen", true, S::RunningD3DFullScreen, nothing, true},
      {"presentation mode", true, S::PresentationMode, nothing, true},
      {"the player itself with the screen", true, S::RunningD3DFullScreen, player, false},
      {"a film full screen", true, S::Busy, nothing, false},
      {"the desktop", true, S::AcceptsNotifications, nothing, false},
      {"PauseInFullScreen=0, a known game", false, S::RunningD3DFullScreen, game, false},
      {"PauseInFullScreen=0, a named program", false, S::AcceptsNotifications, named, false},
  };
  for (const auto& row : rows) EXPECT_EQ(GameInFront(row.pauseInFullScreen, row.state, row.front), row.paused) << row.what;
}

// The game takes the pad's buttons: the pause chord there neither pauses nor resumes, and nothing is
// left over to run once the game has gone.
TEST(GameInFrontTest, TheChordInsideAGameNeitherPausesNorResumes) {
  test::Remote r;
  r.pad.Take({}, {false, PadLayout::Other, 12, PadNames::Numbered});
  r.game = true;
  for (std::uint32_t held : {8u, 0x208u, 8u, 0u}) r.pad.Read({32768, 32768, held, kHatCentred});
  EXPECT_FALSE(r.state.Paused);
  r.state.Paused = true;  // paused by hand before the game: the chord in it does not resume
  for (std::uint32_t held : {8u, 0x208u, 8u, 0u}) r.pad.Read({32768, 32768, held, kHatCentred});
  EXPECT_TRUE(r.state.Paused);
  r.game = false;
  r.state.Paused = false;
  r.log.clear();
  r.pad.Read({1000, 32768, 0, kHatCentred});
  EXPECT_EQ(r.log, std::vector<std::string>{"run 5"}) << "the game gone, Left works at once, and only Left";
}

}  // namespace
}  // namespace brontavel
