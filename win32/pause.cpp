// The remote put down for a game: by the user, or while a game has the whole screen.
#include "core/settings.h"
#include "win32/app.h"
#include "win32/tray.h"

namespace brontavel {

// The icon follows: greyed while a game is in front, as it is when paused by hand.
bool App::GameHasTheScreen() {
  const bool game = games.InFront(settings, edition);
  if (game != pausedForGame) {
    pausedForGame = game;
    UpdateTrayTip(*this);
  }
  return game;
}

void App::PausedFromThePad(bool paused) {
  UpdateTrayTip(*this);
  ShowPauseNotice(*this);
  pads.AnswerPause(paused);
}

}  // namespace brontavel
