#pragma once

#include <windows.h>

#include <cstdint>

#include "core/edition.h"
#include "core/game_rule.h"

namespace brontavel {

// Which program has the window in front, and whether it is a game: one that Windows' game features
// have seen (the games Game Bar and Game Mode keep under the current user's
// System\GameConfigStore\Children, each by its MatchedExeFullPath; no browsers or players are
// there), one that PauseFor names,
// or, as Windows says, a Direct3D program with the whole screen or presentation mode. Asked as a
// gesture fires, and where Windows says so (Vista and later) when the window in front changes: no
// timer runs for it.
class GameWatch {
 public:
  GameWatch() = default;
  GameWatch(const GameWatch&) = delete;
  GameWatch& operator=(const GameWatch&) = delete;

  bool InFront(const Settings& settings, Edition edition);

  // Has onChange called each time another window comes in front, where Windows can say (Windows 98,
  // 2000 and later; Wine 8 never calls it, and there a gesture refused for a game says so instead).
  // Windows takes the hook away when the program ends.
  void Watch(WINEVENTPROC onChange);

 private:
  void ReadGameList();

  bool Listed() const;

  DWORD process_ = 0;  // the program in front when last asked, and what it is
  ProgramInFront front_;
  bool pathKnown_ = false;
  std::uint32_t path_ = 0;  // its full path's hash
  bool listRead_ = false;
  DWORD listReadAt_ = 0;
  static constexpr std::size_t kMaxGames = 1024;
  std::uint32_t games_[kMaxGames] = {};  // the games' full paths' hashes
  std::size_t gameCount_ = 0;
};

}  // namespace brontavel
