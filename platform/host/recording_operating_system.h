#pragma once

#include <string>
#include <vector>

#include "platform/operating_system.h"

namespace brontavel {

// An operating system that reports a chosen platform, grants whatever is asked, and remembers every
// call with its arguments as one line.
class RecordingOperatingSystem final : public OperatingSystem {
 public:
  static constexpr PrivilegeId kShutdownPrivilege{0x13, 0};
  static constexpr TokenHandle kToken = 0x7A0;

  int PlatformId() override {
    calls.push_back("version");
    return platformId;
  }
  bool LookupPrivilege(const char* name, PrivilegeId& id) override {
    calls.push_back(std::string("lookup ") + name);
    id = kShutdownPrivilege;
    return true;
  }
  bool OpenProcessToken(std::uint32_t access, TokenHandle& token) override {
    calls.push_back("open-token access " + std::to_string(access));
    token = kToken;
    return true;
  }
  bool EnablePrivilege(TokenHandle token, PrivilegeId id, std::uint32_t attributes) override {
    calls.push_back("enable token " + std::to_string(token) + " luid " + std::to_string(id.lowPart) + ":" +
                    std::to_string(id.highPart) + " attributes " + std::to_string(attributes));
    return true;
  }
  void CloseToken(TokenHandle token) override { calls.push_back("close-token " + std::to_string(token)); }
  bool EndSession(std::uint32_t flags, std::uint32_t reserved) override {
    calls.push_back("exit-windows flags " + std::to_string(flags) + " reserved " + std::to_string(reserved));
    return true;
  }

  int platformId = kPlatformNt;
  std::vector<std::string> calls;
};

}  // namespace brontavel
