#pragma once

#include <string>
#include <vector>

#include "platform/profile_store.h"

namespace brontavel::test {

// Passes every call on to a real store and remembers it as one line, so tests can check the order
// in which the settings file is read and written.
class RecordingProfileStore final : public ProfileStore {
 public:
  explicit RecordingProfileStore(ProfileStore& inner) : inner_(inner) {}

  std::int32_t ReadInt(const char* section, const char* key, std::int32_t defaultValue, const char* path) override {
    log.push_back(std::string("int ") + section + "/" + key + " default " + std::to_string(defaultValue));
    return inner_.ReadInt(section, key, defaultValue, path);
  }
  int ReadText(const char* section, const char* key, const char* defaultValue, char* buffer, int size,
               const char* path) override {
    log.push_back(std::string("text ") + section + "/" + key + " default " + defaultValue + " size " +
                  std::to_string(size));
    return inner_.ReadText(section, key, defaultValue, buffer, size, path);
  }
  bool WriteText(const char* section, const char* key, const char* value, const char* path) override {
    log.push_back(std::string("write ") + section + "/" + key + "=" + value);
    return inner_.WriteText(section, key, value, path);
  }

  std::vector<std::string> log;

 private:
  ProfileStore& inner_;
};

}  // namespace brontavel::test
