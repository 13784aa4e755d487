#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/remote.h"
#include "platform/fixed_working_directory.h"
#include "platform/host/fake_repeat_timer.h"
#include "platform/host/ini_profile_store.h"
#include "platform/host/recording_control_window.h"
#include "platform/host/recording_desktop_shell.h"
#include "platform/host/recording_message_boxes.h"
#include "platform/host/recording_operating_system.h"
#include "platform/host/simulated_window_system.h"
#include "platform/message_numbers.h"
#include "platform/temp_directory.h"

namespace brontavel::test {

// The window system, with the virtual time of every key press the player receives.
class TimedWindowSystem final : public WindowSystem {
 public:
  struct KeyPress {
    std::uint64_t time;
    WindowHandle window;
    unsigned key;
    bool operator==(const KeyPress&) const = default;
  };

  TimedWindowSystem(SimulatedWindowSystem& inner, const FakeRepeatTimer& clock) : inner_(inner), clock_(clock) {}

  WindowHandle FindTopLevel(const char* className, const char* title) override {
    return inner_.FindTopLevel(className, title);
  }
  bool IsLive(WindowHandle window) override { return inner_.IsLive(window); }
  WindowHandle Related(WindowHandle window, WindowRelation relation) override {
    return inner_.Related(window, relation);
  }
  int ReadTitle(WindowHandle window, char* buffer, int size) override {
    return inner_.ReadTitle(window, buffer, size);
  }
  void Send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    if (message == msg::kKeyDown && inner_.IsLive(window))
      presses.push_back({clock_.Now(), window, static_cast<unsigned>(wParam)});
    inner_.Send(window, message, wParam, lParam);
  }
  void Beep(unsigned soundType) override { inner_.Beep(soundType); }

  std::vector<KeyPress> presses;

 private:
  SimulatedWindowSystem& inner_;
  const FakeRepeatTimer& clock_;
};

// A running player: main window, playlist frame with its editor, equaliser.
struct SimulatedPlayer {
  explicit SimulatedPlayer(SimulatedWindowSystem& windows) {
    equaliser = windows.CreateTopLevel("STUDIO", "Equalizer");
    main = windows.CreateTopLevel("STUDIO", "Winamp3");
    frame = windows.CreateTopLevel("BaseWindow_RootWnd", "Playlist");
    playlist = windows.CreateChild(frame, "Wasabi", "PE Component:Playlist");
  }
  WindowHandle equaliser, main, frame, playlist;
};

// A remote with every platform service replaced by a host stand-in.
struct RemoteHarness {
  RemoteHarness() { timer.SetTickHandler([this] { remote.OnRepeatTimer(); }); }

  void Move(std::uint16_t x, std::uint16_t y, std::uintptr_t buttons = 0) { remote.OnMoveReport(buttons, x, y); }

  TempDirectory temp;
  SimulatedWindowSystem simulated;
  FakeRepeatTimer timer;
  TimedWindowSystem windows{simulated, timer};
  IniProfileStore store;
  FixedWorkingDirectory directory{temp.path()};
  RecordingMessageBoxes boxes;
  RecordingDesktopShell shell;
  RecordingOperatingSystem os;
  RecordingControlWindow controlWindow;
  Remote remote{Services{windows, timer, store, directory, boxes, shell, os, controlWindow}};
};

}  // namespace brontavel::test
