#include "win32/ansi_names.h"

#include <windows.h>

#include "win32/platform_id.h"
#include "win32/run_time_function.h"

namespace brontavel {
namespace {

std::string ToAnsi(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), size, nullptr, nullptr);
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

// A wide text that Windows writes into a buffer, asked for its length first and grown as needed.
template <typename Fill>
std::wstring WideText(Fill fill) {
  std::wstring text(MAX_PATH, L'\0');
  for (int tries = 0; tries < 4; ++tries) {
    const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0) return std::wstring();
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(length + 1);
  }
  return std::wstring();
}

}  // namespace

bool HasWideFunctions() { return PlatformId() == VER_PLATFORM_WIN32_NT; }

std::string AnsiPath(const wchar_t* path) {
  const std::wstring wide = path;
  const std::string ansi = ToAnsi(wide);
  if (RoundTrips(ansi, wide)) return ansi;
  using GetShortPathNameWFunction = DWORD(WINAPI*)(const wchar_t*, wchar_t*, DWORD);
  const auto getShortPathName = RunTimeFunction<GetShortPathNameWFunction>("kernel32.dll", "GetShortPathNameW");
  if (!getShortPathName) return ansi;
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
      const std::wstring shortPath =
          WideText([&](wchar_t* buffer, DWORD size) { return getShortPathName(upToHere.c_str(), buffer, size); });
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
  using GetCurrentDirectoryWFunction = DWORD(WINAPI*)(DWORD, wchar_t*);
  const auto getCurrentDirectory = RunTimeFunction<GetCurrentDirectoryWFunction>("kernel32.dll", "GetCurrentDirectoryW");
  if (HasWideFunctions() && getCurrentDirectory) {
    const std::wstring wide = WideText([&](wchar_t* buffer, DWORD size) { return getCurrentDirectory(size, buffer); });
    if (!wide.empty()) return AnsiPath(wide.c_str());
  }
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

std::string ThisProgramPath() {
  using GetModuleFileNameWFunction = DWORD(WINAPI*)(HMODULE, wchar_t*, DWORD);
  const auto getModuleFileName = RunTimeFunction<GetModuleFileNameWFunction>("kernel32.dll", "GetModuleFileNameW");
  if (HasWideFunctions() && getModuleFileName) {
    const std::wstring wide =
        WideText([&](wchar_t* buffer, DWORD size) { return getModuleFileName(nullptr, buffer, size); });
    if (!wide.empty()) return AnsiPath(wide.c_str());
  }
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace brontavel
