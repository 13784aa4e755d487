#pragma once

#include "platform/profile_store.h"

namespace brontavel {

// The settings file through KERNEL32's private-profile functions.
class Win32ProfileStore final : public ProfileStore {
 public:
  std::int32_t ReadInt(const char* section, const char* key, std::int32_t defaultValue, const char* path) override;
  int ReadText(const char* section, const char* key, const char* defaultValue, char* buffer, int size,
               const char* path) override;
  bool WriteText(const char* section, const char* key, const char* value, const char* path) override;
};

}  // namespace brontavel
