#include "platform/win32/win32_operating_system.h"

#include <windows.h>

namespace brontavel {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record Windows 95 and NT know");
static_assert(kPlatformNt == VER_PLATFORM_WIN32_NT && kPlatformWin95 == VER_PLATFORM_WIN32_WINDOWS);

int Win32OperatingSystem::PlatformId() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return 0;
  return static_cast<int>(version.dwPlatformId);
}

bool Win32OperatingSystem::LookupPrivilege(const char* name, PrivilegeId& id) {
  LUID luid{};
  const bool found = LookupPrivilegeValueA(nullptr, name, &luid) != FALSE;
  id = PrivilegeId{luid.LowPart, luid.HighPart};
  return found;
}

bool Win32OperatingSystem::OpenProcessToken(std::uint32_t access, TokenHandle& token) {
  HANDLE handle = nullptr;
  const bool opened = ::OpenProcessToken(GetCurrentProcess(), access, &handle) != FALSE;
  token = reinterpret_cast<TokenHandle>(handle);
  return opened;
}

bool Win32OperatingSystem::EnablePrivilege(TokenHandle token, PrivilegeId id, std::uint32_t attributes) {
  TOKEN_PRIVILEGES request{};
  request.PrivilegeCount = 1;
  request.Privileges[0].Luid.LowPart = id.lowPart;
  request.Privileges[0].Luid.HighPart = id.highPart;
  request.Privileges[0].Attributes = attributes;
  return AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &request, 0, nullptr, nullptr) != FALSE;
}

void Win32OperatingSystem::CloseToken(TokenHandle token) { CloseHandle(reinterpret_cast<HANDLE>(token)); }

bool Win32OperatingSystem::EndSession(std::uint32_t flags, std::uint32_t reserved) {
  return ExitWindowsEx(flags, reserved) != FALSE;
}

}  // namespace brontavel
