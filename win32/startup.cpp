#include "win32/startup.h"

#include "win32/app.h"
#include "win32/control_window.h"
#include "win32/dialogs.h"
#include "win32/platform_id.h"
#include "win32/settings_file.h"
#include "win32/tray.h"

namespace brontavel {
namespace {

constexpr const char* kOwnClass = "Brontavel";
constexpr UINT kTellRunningCopyMs = 3000;

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

}  // namespace

bool StartUp(App& app, WNDPROC controlProcedure, bool atLogon) {
  const DWORD platform = PlatformId();
  if (platform != VER_PLATFORM_WIN32_NT && platform != VER_PLATFORM_WIN32_WINDOWS) {
    ShowMessage(kPlatformText, kPlatformCaption);
    return false;
  }
  // Another copy already has the joystick and the tray icon; a second would only get in its way. A
  // user who started it by hand is shown where the running one is, by the running one; when that
  // copy cannot be told (it hangs, or runs with higher rights, which filter our message), this one
  // says it. At logon nobody asked for anything.
  if (const HWND running = FindWindowA(kOwnClass, nullptr)) {
    DWORD_PTR ignored = 0;
    const bool told = atLogon || SendMessageTimeoutA(running, RegisterWindowMessageA(kShowYourselfMessage), 0, 0,
                                                     SMTO_ABORTIFHUNG, kTellRunningCopyMs, &ignored);
    // A copy that found no joystick takes its window away before it says so: gone before it answered,
    // it was no running copy, and this one starts as any start does.
    if (told || IsWindow(running)) {
      if (!told) ShowMessage(kWhereToFindIt, kAlreadyRunningTitle);
      return false;
    }
  }
  // The Winamp 3 edition cannot drive the classic player, and says which edition can.
  if (WarnsOfClassicPlayer(app.edition) && FindWindowA(kClassicMainClass, nullptr))
    ShowMessage(kOldPlayerText, kOldPlayerCaption);

  if (!CreateControlWindow(app, controlProcedure)) return false;
  app.taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  app.showYourself = RegisterWindowMessageA(kShowYourselfMessage);
  AddTrayIcon(app);

  if (!app.pads.Take()) {
    // At logon a wireless pad is often still asleep; the user is across the room and cannot answer a
    // message box, so the program waits for it instead.
    if (atLogon) {
      app.pads.Wait();
    } else {
      // This copy has given up: its window goes before the box, so that a copy started while the box
      // is up runs as any start does, instead of asking this one to show where it is.
      RemoveTrayIcon(app);
      DestroyControlWindow(app);
      ShowMessage(kJoystickText, kJoystickCaption);
      return false;
    }
  }
  app.pads.Started();

  // The pad is read by now (unless it is being waited for): while a box about the settings is open,
  // its own message loop runs the poll, and the remote then uses the built-in bindings.
  app.settingsFile.Load(app.settings);
  app.games.Watch(app.onForeground);
  if (ExpectsWinamp(app.edition)) FindPlayerWindows(app.edition, app.settings.PlayerClassNames, app.players);
  if (!atLogon) ShowRunningNotice(app, RunningNotice::Started);
  return true;
}

}  // namespace brontavel
