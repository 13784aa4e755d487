#include "platform/win32/win32_profile_store.h"

#include <windows.h>

#include <string>

namespace brontavel {
namespace {

// The profile functions take at most MAX_PATH characters. A longer name (a deeply nested working
// directory) is handed over with its folder in short 8.3 form, which names the same file.
std::string ProfilePath(const char* path) {
  const std::string full(path);
  if (full.size() < MAX_PATH) return full;
  const std::size_t slash = full.find_last_of('\\');
  if (slash == std::string::npos) return full;
  const std::string folder = full.substr(0, slash);
  const DWORD needed = GetShortPathNameA(folder.c_str(), nullptr, 0);
  if (needed == 0) return full;
  std::string shortFolder(needed, '\0');
  const DWORD length = GetShortPathNameA(folder.c_str(), shortFolder.data(), needed);
  if (length == 0 || length >= needed) return full;
  shortFolder.resize(length);
  return shortFolder + full.substr(slash);
}

}  // namespace

std::int32_t Win32ProfileStore::ReadInt(const char* section, const char* key, std::int32_t defaultValue,
                                        const char* path) {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, defaultValue, ProfilePath(path).c_str()));
}

int Win32ProfileStore::ReadText(const char* section, const char* key, const char* defaultValue, char* buffer,
                                int size, const char* path) {
  if (size <= 0) return 0;
  return static_cast<int>(GetPrivateProfileStringA(section, key, defaultValue, buffer, static_cast<DWORD>(size),
                                                   ProfilePath(path).c_str()));
}

bool Win32ProfileStore::WriteText(const char* section, const char* key, const char* value, const char* path) {
  return WritePrivateProfileStringA(section, key, value, ProfilePath(path).c_str()) != FALSE;
}

}  // namespace brontavel
