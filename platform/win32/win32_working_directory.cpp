#include "platform/win32/win32_working_directory.h"

#include <windows.h>

namespace brontavel {

std::string Win32WorkingDirectory::Current() {
  // The directory can change between the two calls (another thread could move it); try again then.
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

bool Win32WorkingDirectory::Change(const std::string& directory) {
  return SetCurrentDirectoryA(directory.c_str()) != FALSE;
}

}  // namespace brontavel
