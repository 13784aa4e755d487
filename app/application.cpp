#include "app/application.h"

#include "app/about_dialog.h"
#include "config/options_dialog.h"
#include "platform/message_numbers.h"
#include "res/resource_ids.h"

namespace brontavel {
namespace {

constexpr const char* kOwnClass = "Brontavel";
constexpr const char* kOldPlayerClass = "Winamp v1.x";
constexpr unsigned kJoystickPeriodMs = 100;
constexpr unsigned kJoystickThreshold = 6000;
constexpr unsigned kLeftDoubleClick = 0x203;  // WM_LBUTTONDBLCLK
constexpr unsigned kRightButtonDown = 0x204;  // WM_RBUTTONDOWN

constexpr const char* kPlatformText = "This example requires Windows 95/98/NT/2000.";
constexpr const char* kPlatformCaption = "Platform Problem";
constexpr const char* kOldPlayerText =
    "Brontavel has detected that you are currently running Winamp 2.x.  This version of Brontavel works only "
    "for Winamp3.  Unzip and use the Brontavel.exe in Brontavel2x.zip to use Brontavel with Winamp versions 2.x.";
constexpr const char* kOldPlayerCaption = "Winamp 2.x Detected";
constexpr const char* kJoystickText =
    "Can't get the Joystick.  Make sure your joystick is a) plugged in, b) installed in windows control panel, "
    "c) not being used by another program.";
constexpr const char* kJoystickCaption = "Joystick Error";

constexpr MessageOutcome Return(std::intptr_t result = 0) { return {MessageOutcome::Then::Return, result}; }
constexpr MessageOutcome CallDefault() { return {MessageOutcome::Then::CallDefault, 0}; }

}  // namespace

Application::Application(const Services& services, const ShellServices& shell)
    : services_(services), shell_(shell), remote_(services) {}

bool Application::Start() {
  const int platform = services_.os.PlatformId();
  if (platform != kPlatformNt && platform != kPlatformWin95) {
    services_.boxes.Show(kPlatformText, kPlatformCaption);
    return false;
  }
  // Another copy already has the joystick and the tray icon; a second would only get in its way.
  if (services_.windows.FindTopLevel(kOwnClass, nullptr) != kNoWindow) return false;
  if (services_.windows.FindTopLevel(kOldPlayerClass, nullptr) != kNoWindow)
    services_.boxes.Show(kOldPlayerText, kOldPlayerCaption);

  if (!services_.controlWindow.RegisterWindowClass()) return false;
  if (!services_.controlWindow.CreateHidden()) return false;
  shellRestartMessage_ = shell_.tray.ShellRestartMessage();
  shell_.tray.Add();

  shell_.joystick.DeviceCount();
  if (!shell_.joystick.Capture(kJoystickPeriodMs, /*changesOnly=*/true)) {
    shell_.tray.Remove();
    services_.boxes.Show(kJoystickText, kJoystickCaption);
    return false;
  }
  shell_.joystick.SetThreshold(kJoystickThreshold);

  // The joystick is already captured: while the settings' error box is open, its own message loop
  // hands reports to the remote, which then uses the built-in bindings.
  remote_.LoadSettings();
  remote_.FindPlayerWindows();
  return true;
}

MessageOutcome Application::OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case msg::kCreate:
      return Return();
    case msg::kClose:
      ShutDown();
      return {MessageOutcome::Then::EndProcess, 0};
    case msg::kCommand:
      OnMenuCommand(wParam & 0xFFFF);
      return CallDefault();
    case kTrayCallbackMessage:
      OnTrayCallback(lParam);
      return Return();
    case msg::kJoy1Move: {
      const auto position = static_cast<std::uint32_t>(lParam);
      remote_.OnMoveReport(wParam, position & 0xFFFF, position >> 16);
      return Return();
    }
    case msg::kJoy1ButtonDown:
      remote_.OnButtonDown(wParam);
      return Return();
    case msg::kJoy1ButtonUp:
      remote_.OnButtonUp(wParam);
      return Return();
  }
  // The icon is the program's only presence: when the shell restarts, it must come back, or the
  // user could neither configure nor end the program.
  if (shellRestartMessage_ != 0 && message == shellRestartMessage_) {
    shell_.tray.Remove();
    shell_.tray.Add();
    return Return();
  }
  return CallDefault();
}

bool Application::OnOptionsDialogMessage(DialogControls& dialog, unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
  const OptionsDialogContext context{remote_.settings(), services_.store, services_.directory};
  return OptionsDialogProcedure(dialog, context, message, wParam, lParam);
}

bool Application::OnAboutDialogMessage(DialogControls& dialog, unsigned message) {
  return AboutDialogProcedure(dialog, message);
}

void Application::OnTrayCallback(std::intptr_t mouseMessage) {
  if (mouseMessage == kLeftDoubleClick) {
    shell_.dialogs.ShowOptions();
    return;
  }
  if (mouseMessage != kRightButtonDown) return;
  // The menu opens on the press, not the release. Its owner must be the foreground window or the
  // menu would not close when the user clicks elsewhere; and the message posted afterwards lets the
  // menu finish closing before the window sees anything else (Microsoft's documented tray idiom).
  const ScreenPoint at = shell_.tray.CursorPosition();
  shell_.tray.BringOwnerToForeground();
  shell_.tray.TrackMenu(at);
  services_.controlWindow.PostToSelf(msg::kNull);
}

void Application::OnMenuCommand(unsigned id) {
  switch (id) {
    case IDM_ABOUT:
      shell_.dialogs.ShowAbout();
      break;
    case IDM_OPTIONS:
      shell_.dialogs.ShowOptions();
      break;
    case IDM_EXIT:
      services_.controlWindow.PostToSelf(msg::kClose);
      break;
  }
}

void Application::ShutDown() {
  shell_.tray.Remove();
  services_.controlWindow.Destroy();
  services_.controlWindow.UnregisterWindowClass();
}

}  // namespace brontavel
