#pragma once

#include <windows.h>

namespace brontavel {

// Which family of Windows this is (VER_PLATFORM_WIN32_WINDOWS for 95 and 98, VER_PLATFORM_WIN32_NT
// for NT and all later ones), asked with the 148-byte version record both families know; 0 when
// Windows will not say.
inline DWORD PlatformId() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) ? version.dwPlatformId : 0;
}

}  // namespace brontavel
