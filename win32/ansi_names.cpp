#include "win32/ansi_names.h"

#include <algorithm>
#include <type_traits>

#include "win32/platform_id.h"
#include "win32/run_time_function.h"

namespace brontavel {
namespace {

// A character the code page lacks becomes '?', never a look-alike ("best fit"), which would name
// another file that may well exist; Windows before 2000 knows no such flag, and best-fits.
std::string ToAnsi(const std::wstring& wide) {
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int size = WideCharToMultiByte(CP_ACP, flags, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) size = WideCharToMultiByte(CP_ACP, flags = 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.c_str(), -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(static_cast<std::size_t>(size - 1));
  return ansi;
}

// The ANSI text of a wide one where it names the same thing: it reads back the same. A character the
// code page lacks comes back as '?' or as a look-alike, and either names something else.
std::optional<std::string> ExactAnsi(const std::wstring& wide) {
  std::string ansi = ToAnsi(wide);
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring back(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, back.data(), size);
  back.resize(static_cast<std::size_t>(size - 1));
  if (back != wide) return std::nullopt;
  return ansi;
}

// A wide text that Windows writes into a buffer. Some functions say how much room they need, others
// (GetModuleFileNameW) fill the buffer to the brim and cut: the buffer at least doubles each time,
// up to the longest path Windows has. "" where it fails, or where the function is missing.
template <typename Function, typename Fill>
std::wstring WideText(Function function, Fill fill) {
  constexpr std::size_t kLongestPath = 32768;
  if (!function) return std::wstring();
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0) return std::wstring();
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    if (text.size() >= kLongestPath) return std::wstring();
    text.resize(std::max<std::size_t>(text.size() * 2, length + 1));
  }
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The wide functions take a path of MAX_PATH characters or more only in its "\\?\" form.
constexpr const wchar_t* kExtendedPrefix = L"\\\\?\\";

std::wstring Extended(const std::wstring& path) {
  const bool driveAbsolute = path.size() > 2 && path[1] == L':' && path[2] == L'\\';
  return path.size() >= MAX_PATH && driveAbsolute ? kExtendedPrefix + path : path;
}

// Opens a file or folder for nothing but asking what it is.
HANDLE OpenToIdentify(const std::wstring& name) {
  if (!Wide().createFile) return INVALID_HANDLE_VALUE;
  return Wide().createFile(Extended(name).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                           nullptr);
}

// Whether two handles open the same file: the same volume, and the same file on it. Both are closed.
bool SameIdentity(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  const bool known = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE && GetFileInformationByHandle(a, &first) &&
                     GetFileInformationByHandle(b, &second);
  for (const HANDLE file : {a, b})
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return known && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

// The ANSI text of a wide name Windows gave; none where it gave none, or where it cannot be had.
std::optional<std::string> AnsiText(const std::wstring& wide) {
  if (wide.empty()) return std::nullopt;
  const std::optional<AnsiPathName> ansi = AnsiPath(wide);
  return ansi ? std::optional(ansi->text) : std::nullopt;
}

}  // namespace

// Looked up at the first use, from the program's one thread. Both statics start out as constants, so
// no guard of the runtime's (which would bring its exception machinery) is needed.
const WideFunctions& Wide() {
  static WideFunctions wide;
  static bool lookedUp = false;
  if (lookedUp || PlatformId() != VER_PLATFORM_WIN32_NT) return wide;
  lookedUp = true;
  const auto find = [](const char* dll, const char* name, auto& function) {
    function = RunTimeFunction<std::remove_reference_t<decltype(function)>>(dll, name);
  };
  find("kernel32.dll", "GetCurrentDirectoryW", wide.getCurrentDirectory);
  find("kernel32.dll", "SetCurrentDirectoryW", wide.setCurrentDirectory);
  find("kernel32.dll", "GetModuleFileNameW", wide.getModuleFileName);
  find("kernel32.dll", "GetShortPathNameW", wide.getShortPathName);
  find("kernel32.dll", "CreateFileW", wide.createFile);
  find("comdlg32.dll", "GetOpenFileNameW", wide.getOpenFileName);
  find("shell32.dll", "SHGetPathFromIDListW", wide.getPathFromIdList);
  return wide;
}

std::wstring WideCurrentDirectory() {
  const auto fill = [](wchar_t* text, DWORD size) { return Wide().getCurrentDirectory(size, text); };
  return WideText(Wide().getCurrentDirectory, fill);
}

std::wstring WideProgramPath() {
  const auto fill = [](wchar_t* text, DWORD size) { return Wide().getModuleFileName(nullptr, text, size); };
  return WideText(Wide().getModuleFileName, fill);
}

std::wstring WideShortPath(const std::wstring& path) {
  const std::wstring extended = Extended(path);
  const auto fill = [&](wchar_t* text, DWORD size) { return Wide().getShortPathName(extended.c_str(), text, size); };
  std::wstring shortPath = WideText(Wide().getShortPathName, fill);
  if (extended.size() != path.size() && shortPath.rfind(kExtendedPrefix, 0) == 0) shortPath.erase(0, 4);
  return shortPath;
}

bool SameFile(const std::string& ansi, const std::wstring& wide) {
  if (!Wide().createFile) return false;
  const HANDLE byAnsi =
      CreateFileA(ansi.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return SameIdentity(byAnsi, OpenToIdentify(wide));
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
  return SameIdentity(OpenToIdentify(a), OpenToIdentify(b));
}

std::string ShownName(const std::wstring& name) { return ToAnsi(name); }

std::optional<AnsiPathName> AnsiPath(const std::wstring& path) {
  if (std::optional<std::string> exact = ExactAnsi(path)) return AnsiPathName{*exact, false};
  // Only the folders and the file whose names the code page cannot write take their short names; the
  // rest keep the names the user knows.
  AnsiPathName result{std::string(), true};
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    std::optional<std::string> part = ExactAnsi(path.substr(start, end - start));
    if (!part) {
      const std::wstring shortPath = WideShortPath(path.substr(0, end));
      if (shortPath.empty()) return std::nullopt;
      part = ExactAnsi(shortPath.substr(shortPath.find_last_of(L'\\') + 1));
      if (!part) return std::nullopt;
    }
    result.text += *part;
    if (end < path.size()) result.text += '\\';
    start = end + 1;
  }
  return result;
}


// Windows 95, 98 and ME know no path longer than MAX_PATH.
std::optional<std::string> CurrentDirectory() {
  if (Wide().getCurrentDirectory) return AnsiText(WideCurrentDirectory());
  char directory[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
  return length > 0 && length < MAX_PATH ? std::optional<std::string>(directory) : std::nullopt;
}

std::optional<std::string> ThisProgramPath() {
  if (Wide().getModuleFileName) return AnsiText(WideProgramPath());
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::optional<std::string>(path) : std::nullopt;
}

CurrentDirectoryKeeper::~CurrentDirectoryKeeper() {
  if (!wide_.empty() && Wide().setCurrentDirectory) {
    Wide().setCurrentDirectory(wide_.c_str());
  } else if (ansi_) {
    SetCurrentDirectoryA(ansi_->c_str());
  }
}

}  // namespace brontavel
