#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/edition.h"
#include "core/gesture_recogniser.h"
#include "core/pad_input.h"
#include "res/resource_ids.h"
#include "win32/ansi_names.h"
#include "win32/game_watch.h"
#include "win32/pad_keeper.h"
#include "win32/player_windows.h"
#include "win32/settings_file.h"

namespace brontavel {

// The repeat timer as window timer 890 of the control window. Its expiries go through the message
// loop straight to the callback, never to the window procedure.
class WindowRepeatTimer final : public RepeatTimer {
 public:
  WindowRepeatTimer(const HWND& window, TIMERPROC onTick) : window_(window), onTick_(onTick) {}

  // Setting a timer that is already set restarts it with the new period.
  void Arm(std::uint32_t periodMs) override { SetTimer(window_, kTimerId, periodMs, onTick_); }
  void Stop() override { KillTimer(window_, kTimerId); }

 private:
  static constexpr UINT_PTR kTimerId = 890;
  const HWND& window_;
  TIMERPROC onTick_;
};

// The notification area shows icons at the small-icon size: drawn at that size, not shrunk. Where
// this Windows cannot read the image drawn for its size (Windows XP at 125 %, and the PNG there), the
// 16-pixel one, which every Windows reads.
inline HICON LoadTrayIcon(HINSTANCE instance, int id) {
  HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                           GetSystemMetrics(SM_CYSMICON), 0);
  if (!icon) icon = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
  return static_cast<HICON>(icon);
}

// The whole program's state, one instance for the whole run: the settings, the player's windows,
// the gestures, and the handles of the hidden control window that receives every message.
struct App final : GestureOutputs {
  App(Edition edition, HINSTANCE instance, TIMERPROC onRepeatTick, WINEVENTPROC onForeground)
      : edition(edition),
        onForeground(onForeground),
        instance(instance),
        icon(LoadIconA(instance, MAKEINTRESOURCEA(IDI_BRONTAVEL))),
        trayIcon(LoadTrayIcon(instance, IDI_BRONTAVEL)),
        pausedTrayIcon(LoadTrayIcon(instance, IDI_BRONTAVEL_PAUSED)),
        wideFolder(WideCurrentDirectory()),
        settingsFile(CurrentDirectory(), ShownName(wideFolder)),
        timer(window, onRepeatTick),
        repeat(timer, settings, gestures, *this),
        recogniser(gestures, settings.EventAssignmentTable, repeat, *this),
        padInput(recogniser, gestures),
        pads(*this) {
    settings.PlayerClassNames = DefaultPlayerClassNames(edition);
    settings.EventAssignmentTable = DefaultBindings(edition);
  }
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  const Edition edition;
  WINEVENTPROC onForeground;  // another window came in front
  HINSTANCE instance;
  HICON icon;
  HICON trayIcon;
  HICON pausedTrayIcon;
  HWND window = nullptr;
  UINT taskbarCreated = 0;  // the shell's "add your icons again" message
  UINT showYourself = 0;    // a second copy's "show where you are"
  std::vector<HWND> optionsDialogs;  // the Options dialogs open now (the tray can open two)
  std::wstring wideFolder;  // the folder the program was started in, as Windows names it ("" on 95)
  SettingsFile settingsFile;
  Settings settings;
  PlayerWindowTable players;
  GestureState gestures;
  WindowRepeatTimer timer;
  AutoRepeat repeat;
  GestureRecogniser recogniser;
  PadInput padInput;
  PadKeeper pads;  // after the gestures it feeds
  GameWatch games;
  bool pausedForGame = false;  // a game was in front when last asked: the icon is grey

  // Runs a catalogue command; a number outside the catalogue runs nothing.
  void RunCommand(CommandId id) override;
  // Being hidden, the control window's title serves only as a status line.
  void SetStatusTitle(const char* text) override { SetWindowTextA(window, text); }
  bool GameHasTheScreen() override;
  void PausedFromThePad(bool paused) override;
};

}  // namespace brontavel
