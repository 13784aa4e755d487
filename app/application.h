#pragma once

#include <cstdint>

#include "app/remote.h"
#include "platform/dialog_controls.h"
#include "platform/joystick.h"
#include "platform/modal_dialogs.h"
#include "platform/tray_icon.h"

namespace brontavel {

// The platform services of the program's shell, beside those of the remote itself.
struct ShellServices {
  TrayIcon& tray;
  Joystick& joystick;
  ModalDialogs& dialogs;
};

// What the window procedure must do once Application has seen a message.
struct MessageOutcome {
  enum class Then { Return, CallDefault, EndProcess } then;
  std::intptr_t result = 0;  // with Return
  bool operator==(const MessageOutcome&) const = default;
};

// The program: its start-up checks, the control window's messages (joystick reports, the tray icon,
// its menu) and its shut-down. The Windows entry point and window procedure only hand over to it.
class Application {
 public:
  Application(const Services& services, const ShellServices& shell);

  // Everything before the message loop. False when the program must end at once (exit code 0):
  // an unknown Windows, a copy already running, no window, or no joystick.
  bool Start();

  MessageOutcome OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  // The two dialogs' procedures, as Windows dialog procedures answer.
  bool OnOptionsDialogMessage(DialogControls& dialog, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam);
  bool OnAboutDialogMessage(DialogControls& dialog, unsigned message);

  Remote& remote() { return remote_; }

 private:
  void OnTrayCallback(std::intptr_t mouseMessage);
  void OnMenuCommand(unsigned id);
  void ShutDown();

  Services services_;
  ShellServices shell_;
  Remote remote_;
  unsigned shellRestartMessage_ = 0;
};

}  // namespace brontavel
