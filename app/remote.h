#pragma once

#include <cstdint>

#include "config/settings.h"
#include "control/player_control.h"
#include "control/player_windows.h"
#include "input/auto_repeat.h"
#include "input/gesture_recogniser.h"
#include "platform/control_window.h"
#include "platform/desktop_shell.h"
#include "platform/message_boxes.h"
#include "platform/operating_system.h"
#include "platform/profile_store.h"
#include "platform/repeat_timer.h"
#include "platform/window_system.h"
#include "platform/working_directory.h"

namespace brontavel {

// Every platform service the remote works through.
struct Services {
  WindowSystem& windows;
  RepeatTimer& timer;
  ProfileStore& store;
  WorkingDirectory& directory;
  MessageBoxes& boxes;
  DesktopShell& shell;
  OperatingSystem& os;
  ControlWindow& controlWindow;
};

// The joystick remote itself: it owns all of the program's state (the settings, the player's windows,
// the gesture state) and turns each driver report and timer expiry into the player's keystrokes and
// the other commands.
class Remote final : private GestureOutputs {
 public:
  explicit Remote(const Services& services);
  Remote(const Remote&) = delete;
  Remote& operator=(const Remote&) = delete;

  // Start-up: read the settings file, then look for the player's four windows.
  void LoadSettings();
  void FindPlayerWindows();

  // What the joystick driver and the repeat timer deliver.
  void OnMoveReport(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y);
  void OnButtonDown(std::uintptr_t value);
  void OnButtonUp(std::uintptr_t value);
  void OnRepeatTimer();

  Settings& settings() { return settings_; }
  const PlayerWindowTable& players() const { return players_; }
  const GestureState& gestures() const { return gestures_; }

 private:
  void RunCommand(CommandId id) override;
  void SetStatusTitle(const char* text) override;
  void StartRepeat() override;
  void StopRepeat() override;

  Services services_;
  Settings settings_;
  PlayerWindowTable players_;
  GestureState gestures_;
  PlayerControl control_;
  AutoRepeat repeat_;
  GestureRecogniser recogniser_;
};

}  // namespace brontavel
