#pragma once

#include "platform/operating_system.h"

namespace brontavel {

class Win32OperatingSystem final : public OperatingSystem {
 public:
  int PlatformId() override;
  bool LookupPrivilege(const char* name, PrivilegeId& id) override;
  bool OpenProcessToken(std::uint32_t access, TokenHandle& token) override;
  bool EnablePrivilege(TokenHandle token, PrivilegeId id, std::uint32_t attributes) override;
  void CloseToken(TokenHandle token) override;
  bool EndSession(std::uint32_t flags, std::uint32_t reserved) override;
};

}  // namespace brontavel
