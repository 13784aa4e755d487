// The remote put down for a game: by the user, or while a game has the whole screen.
#include "core/settings.h"
#include "win32/app.h"
#include "win32/run_time_function.h"
#include "win32/tray.h"

namespace brontavel {

bool App::GameHasTheScreen() {
  // Vista and later: looked up, as the 32-bit program runs on Windows 95 too. Where it is missing or
  // fails, nothing is paused: a remote that stops for no reason the user can see is worse.
  using Query = HRESULT(WINAPI*)(int*);
  const auto query = RunTimeFunction<Query>("shell32.dll", "SHQueryUserNotificationState");
  int state = 0;
  return query && SUCCEEDED(query(&state)) &&
         brontavel::GameHasTheScreen(static_cast<UserNotificationState>(state), settings.PauseInFullScreen);
}

void App::PausedFromThePad(bool paused) {
  UpdateTrayTip(*this);
  ShowPauseNotice(*this);
  pads.AnswerPause(paused);
}

}  // namespace brontavel
