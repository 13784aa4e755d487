#pragma once

#include <cstdint>

namespace brontavel {

// Platform ids as GetVersionExA reports them.
inline constexpr int kPlatformWin95 = 1;  // VER_PLATFORM_WIN32_WINDOWS: Windows 95, 98, Me
inline constexpr int kPlatformNt = 2;     // VER_PLATFORM_WIN32_NT: NT, 2000 and every later Windows

// A privilege's locally unique identifier (LUID).
struct PrivilegeId {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
  bool operator==(const PrivilegeId&) const = default;
};
using TokenHandle = std::uintptr_t;

// The operating system as the platform check and the shut-down commands need it.
//
// Contract:
// - PlatformId: the platform id of the running Windows (GetVersionExA with a 148-byte version
//   record); 0 when it cannot be read.
// - LookupPrivilege: the identifier of a privilege by name on the local system.
// - OpenProcessToken: this process's access token, opened with the given access mask.
// - EnablePrivilege: adjusts the token (disable-all false) with one privilege and its attributes;
//   the previous state is not asked for.
// - CloseToken: closes a token that OpenProcessToken opened.
// - EndSession: asks Windows to end the session with the given flags (EWX_*), without forcing.
// Every result is only informative: the callers go on whatever happened.
class OperatingSystem {
 public:
  virtual ~OperatingSystem() = default;

  virtual int PlatformId() = 0;
  virtual bool LookupPrivilege(const char* name, PrivilegeId& id) = 0;
  virtual bool OpenProcessToken(std::uint32_t access, TokenHandle& token) = 0;
  virtual bool EnablePrivilege(TokenHandle token, PrivilegeId id, std::uint32_t attributes) = 0;
  virtual void CloseToken(TokenHandle token) = 0;
  virtual bool EndSession(std::uint32_t flags, std::uint32_t reserved) = 0;
};

}  // namespace brontavel
