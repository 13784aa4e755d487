#include "win32/game_watch.h"

#include <cstring>

#include "core/settings.h"
#include "win32/run_time_function.h"

namespace brontavel {
namespace {

// A game's entry appears at its first start: the list is read again for a program not on it, but
// not more often than this, as it can hold hundreds of keys.
constexpr DWORD kListFreshMs = 30000;
constexpr DWORD kQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista and later
constexpr wchar_t kGameList[] = L"System\\GameConfigStore\\Children";

// The full path of a program, or none where it cannot be asked (a protected or elevated process, or
// Windows before Vista): such a program is a game only by Windows' own word.
bool ProgramPath(DWORD process, wchar_t (&path)[1024], DWORD& length) {
  using Query = BOOL(WINAPI*)(HANDLE, DWORD, wchar_t*, DWORD*);
  const auto query = RunTimeFunction<Query>("kernel32.dll", "QueryFullProcessImageNameW");
  const HANDLE handle = query && process ? OpenProcess(kQueryLimited, FALSE, process) : nullptr;
  if (!handle) return false;
  length = 1024;
  const bool asked = query(handle, 0, path, &length) != FALSE;
  CloseHandle(handle);
  return asked && length > 0;
}

bool IsPlayerWindow(HWND window, const Settings& settings, Edition edition) {
  char name[kClassNameSize] = {};
  if (!ExpectsWinamp(edition) || !GetClassNameA(window, name, sizeof name)) return false;
  for (const WindowClassName& player : settings.PlayerClassNames)
    if (std::strcmp(player.data(), name) == 0) return true;
  return false;
}

}  // namespace

// What cannot be read (no such key before Windows 10, or with the game features removed; a value
// of another type) is no game.
void GameWatch::ReadGameList() {
  using Open = LONG(WINAPI*)(HKEY, const wchar_t*, DWORD, REGSAM, HKEY*);
  using Enum = LONG(WINAPI*)(HKEY, DWORD, wchar_t*, DWORD*, DWORD*, wchar_t*, DWORD*, FILETIME*);
  using Query = LONG(WINAPI*)(HKEY, const wchar_t*, DWORD*, DWORD*, BYTE*, DWORD*);
  const auto open = RunTimeFunction<Open>("advapi32.dll", "RegOpenKeyExW");
  const auto enumerate = RunTimeFunction<Enum>("advapi32.dll", "RegEnumKeyExW");
  const auto query = RunTimeFunction<Query>("advapi32.dll", "RegQueryValueExW");
  listRead_ = true;
  listReadAt_ = GetTickCount();
  gameCount_ = 0;
  HKEY list = nullptr;
  if (!open || !enumerate || !query || open(HKEY_CURRENT_USER, kGameList, 0, KEY_READ, &list) != ERROR_SUCCESS) return;
  wchar_t name[256];
  for (DWORD i = 0, length = 256; enumerate(list, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, length = 256) {
    HKEY game = nullptr;
    if (open(list, name, 0, KEY_READ, &game) != ERROR_SUCCESS) continue;
    wchar_t path[1024];
    DWORD type = 0, size = sizeof path - sizeof path[0];
    if (query(game, L"MatchedExeFullPath", nullptr, &type, reinterpret_cast<BYTE*>(path), &size) == ERROR_SUCCESS &&
        type == REG_SZ && gameCount_ < kMaxGames) {
      std::size_t length = size / sizeof path[0];
      while (length > 0 && path[length - 1] == L'\0') --length;
      games_[gameCount_++] = PathHash(path, length);
    }
    RegCloseKey(game);
  }
  RegCloseKey(list);
}

bool GameWatch::Listed() const {
  for (std::size_t i = 0; i < gameCount_; ++i)
    if (games_[i] == path_) return true;
  return false;
}

bool GameWatch::InFront(const Settings& settings, Edition edition) {
  if (!settings.PauseInFullScreen) return false;  // nothing to ask
  // Vista and later: looked up, as the 32-bit program runs on Windows 95 too. Where it is missing or
  // fails, Windows says nothing of a game.
  using Notification = HRESULT(WINAPI*)(int*);
  const auto notification = RunTimeFunction<Notification>("shell32.dll", "SHQueryUserNotificationState");
  int state = 0;
  if (!notification || FAILED(notification(&state))) state = 0;
  const HWND window = GetForegroundWindow();
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(window, &process);
  if (process != process_) {
    process_ = process;
    wchar_t path[1024];
    DWORD length = 0;
    pathKnown_ = ProgramPath(process, path, length);
    path_ = pathKnown_ ? PathHash(path, length) : 0;
    front_.named = pathKnown_ && settings.PauseFor.Has(FileNameHash(path, length));
    front_.knownGame = pathKnown_ && Listed();
  }
  // Read when first needed, and again for a program not on it, as a game's entry appears only once it
  // has started; gestures ask, so nothing is read while the pad rests.
  if (pathKnown_ && !front_.knownGame && (!listRead_ || GetTickCount() - listReadAt_ >= kListFreshMs)) {
    ReadGameList();
    front_.knownGame = Listed();
  }
  front_.player = window && IsPlayerWindow(window, settings, edition);
  return GameInFront(settings.PauseInFullScreen, static_cast<UserNotificationState>(state), front_);
}

void GameWatch::Watch(WINEVENTPROC onChange) {
  using Set = HWINEVENTHOOK(WINAPI*)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
  const auto set = RunTimeFunction<Set>("user32.dll", "SetWinEventHook");
  if (set) set(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, onChange, 0, 0, WINEVENT_OUTOFCONTEXT);
}

}  // namespace brontavel
