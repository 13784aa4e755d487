#include "win32/ansi_names.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <utility>

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

// True when the ANSI text names what the wide one names: it reads back the same. A character the
// code page lacks comes back as '?' or as a look-alike ("best fit"), and either names something else.
bool RoundTrips(const std::string& ansi, const std::wstring& wide) {
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  if (size <= 0) return false;
  std::wstring back(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, back.data(), size);
  back.resize(static_cast<std::size_t>(size - 1));
  return back == wide;
}

// A wide text that Windows writes into a buffer. Some functions say how much room they need, others
// (GetModuleFileNameW) fill the buffer to the brim and cut: the buffer at least doubles each time,
// up to the longest path Windows has.
template <typename Fill>
std::wstring WideText(Fill fill) {
  constexpr std::size_t kLongestPath = 32768;
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

// The file a handle opens, as its volume and index; 0 and 0 for none.
std::pair<DWORD, std::uint64_t> FileIdentity(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!known) return {0, 0};
  return {information.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

// The wide functions take a path of MAX_PATH characters or more only in its "\\?\" form.
constexpr const wchar_t* kExtendedPrefix = L"\\\\?\\";

std::wstring Extended(const std::wstring& path) {
  const bool driveAbsolute = path.size() > 2 && path[1] == L':' && path[2] == L'\\';
  return path.size() >= MAX_PATH && driveAbsolute ? kExtendedPrefix + path : path;
}

// Opens a file or folder for nothing but asking what it is.
HANDLE OpenToIdentify(const std::wstring& name) {
  using CreateFileWFunction = HANDLE(WINAPI*)(const wchar_t*, DWORD, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE);
  const auto createFileW = RunTimeFunction<CreateFileWFunction>("kernel32.dll", "CreateFileW");
  if (!HasWideFunctions() || !createFileW) return INVALID_HANDLE_VALUE;
  return createFileW(Extended(name).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                     nullptr);
}

bool SameIdentity(HANDLE a, HANDLE b) {
  const auto first = FileIdentity(a);
  const auto second = FileIdentity(b);
  return first.first != 0 && first == second;
}

}  // namespace

std::wstring WideCurrentDirectory() {
  using GetCurrentDirectoryWFunction = DWORD(WINAPI*)(DWORD, wchar_t*);
  const auto getCurrentDirectory = RunTimeFunction<GetCurrentDirectoryWFunction>("kernel32.dll", "GetCurrentDirectoryW");
  if (!HasWideFunctions() || !getCurrentDirectory) return std::wstring();
  return WideText([&](wchar_t* buffer, DWORD size) { return getCurrentDirectory(size, buffer); });
}

std::wstring WideProgramPath() {
  using GetModuleFileNameWFunction = DWORD(WINAPI*)(HMODULE, wchar_t*, DWORD);
  const auto getModuleFileName = RunTimeFunction<GetModuleFileNameWFunction>("kernel32.dll", "GetModuleFileNameW");
  if (!HasWideFunctions() || !getModuleFileName) return std::wstring();
  return WideText([&](wchar_t* buffer, DWORD size) { return getModuleFileName(nullptr, buffer, size); });
}

bool SameFile(const std::string& ansi, const std::wstring& wide) {
  if (!HasWideFunctions()) return false;
  const HANDLE byAnsi =
      CreateFileA(ansi.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return SameIdentity(byAnsi, OpenToIdentify(wide));
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
  return SameIdentity(OpenToIdentify(a), OpenToIdentify(b));
}

std::wstring WideShortPath(const std::wstring& path) {
  using GetShortPathNameWFunction = DWORD(WINAPI*)(const wchar_t*, wchar_t*, DWORD);
  const auto getShortPathName = RunTimeFunction<GetShortPathNameWFunction>("kernel32.dll", "GetShortPathNameW");
  if (!HasWideFunctions() || !getShortPathName) return std::wstring();
  const std::wstring extended = Extended(path);
  std::wstring shortPath =
      WideText([&](wchar_t* buffer, DWORD size) { return getShortPathName(extended.c_str(), buffer, size); });
  if (extended.size() != path.size() && shortPath.rfind(kExtendedPrefix, 0) == 0) shortPath.erase(0, 4);
  return shortPath;
}

bool HasWideFunctions() { return PlatformId() == VER_PLATFORM_WIN32_NT; }

std::string AnsiPath(const wchar_t* path) {
  const std::wstring wide = path;
  const std::string ansi = ToAnsi(wide);
  if (RoundTrips(ansi, wide)) return ansi;
  // Only the folders and the file whose names the code page cannot write take their short names; the
  // rest keep the names the user knows.
  std::string result;
  for (std::size_t start = 0; start <= wide.size();) {
    std::size_t end = wide.find(L'\\', start);
    if (end == std::wstring::npos) end = wide.size();
    const std::wstring name = wide.substr(start, end - start);
    std::string part = ToAnsi(name);
    if (!RoundTrips(part, name)) {
      const std::wstring upToHere = wide.substr(0, end);
      const std::wstring shortPath = WideShortPath(upToHere);
      const std::wstring shortName = shortPath.substr(shortPath.find_last_of(L'\\') + 1);
      part = ToAnsi(shortName);
      if (shortPath.empty() || !RoundTrips(part, shortName)) return ansi;
    }
    result += part;
    if (end < wide.size()) result += '\\';
    start = end + 1;
  }
  return result;
}

std::string CurrentDirectory() {
  const std::wstring wide = WideCurrentDirectory();
  if (!wide.empty()) return AnsiPath(wide.c_str());
  // Asked for its length first, so that no directory is too long; should it change between the two
  // calls, ask again.
  for (;;) {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return std::string();
    std::string directory(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, directory.data());
    if (length == 0) return std::string();
    if (length < needed) {
      directory.resize(length);
      return directory;
    }
  }
}

CurrentDirectoryKeeper::CurrentDirectoryKeeper() : wide_(WideCurrentDirectory()) {
  if (wide_.empty()) ansi_ = CurrentDirectory();
}

CurrentDirectoryKeeper::~CurrentDirectoryKeeper() {
  using SetCurrentDirectoryWFunction = BOOL(WINAPI*)(const wchar_t*);
  const auto setCurrentDirectory = RunTimeFunction<SetCurrentDirectoryWFunction>("kernel32.dll", "SetCurrentDirectoryW");
  if (!wide_.empty() && setCurrentDirectory) {
    setCurrentDirectory(wide_.c_str());
  } else if (!ansi_.empty()) {
    SetCurrentDirectoryA(ansi_.c_str());
  }
}

std::string ThisProgramPath() {
  const std::wstring wide = WideProgramPath();
  if (!wide.empty()) return AnsiPath(wide.c_str());
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace brontavel
