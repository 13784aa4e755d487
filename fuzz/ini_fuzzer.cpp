// Arbitrary bytes as the settings file: the INI reader and LoadSettings must neither crash nor read
// outside a buffer, no binding read from the file may make RunCommand act outside the catalogue, and
// writing one key must leave every other readable value as it was.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/settings_file.h"
#include "control/command_catalogue.h"
#include "platform/host/ini_profile_store.h"

namespace brontavel {
namespace {

struct Directory final : WorkingDirectory {
  std::string path;
  std::string Current() override { return path; }
  bool Change(const std::string&) override { return true; }
};

struct Boxes final : MessageBoxes {
  void Show(const char*, const char*) override {}
};

// Counts the actions a command asks for.
struct CountingActions final : CommandActions {
  int count = 0;
  void SendPlayerKey(int, unsigned, unsigned) override { ++count; }
  void StartOrExitPlayer() override { ++count; }
  void ShutdownComputer() override { ++count; }
  void PowerOffComputer() override { ++count; }
  void OpenShortcut(int) override { ++count; }
};

const std::string& Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/brontavel-ini-fuzz-XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
  return folder;
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

std::string ReadChecked(IniProfileStore& store, const char* section, const char* key, const std::string& path) {
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  const int size = 30;
  const int length = store.ReadText(section, key, "default", buffer, size, path.c_str());
  Check(length >= 0 && length < size, "a text read fits its buffer");
  Check(buffer[length] == '\0' && std::strlen(buffer) == static_cast<std::size_t>(length), "the length is right");
  Check(buffer[size] == '#', "nothing is written past the buffer");
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace
}  // namespace brontavel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brontavel;
  Directory directory;
  directory.path = Folder();
  const std::string path = SettingsFilePath(directory);
  const std::string hostFile = IniProfileStore::HostPath(path.c_str());
  if (FILE* file = std::fopen(hostFile.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }

  IniProfileStore store;
  static const char* const kKeys[] = {"MainClass", "PEClass", "C1", "C7", "C15", "RepeatRate", "S1", "S9"};
  std::string before[2][8];
  for (int s = 0; s < 2; ++s)
    for (int k = 0; k < 8; ++k) before[s][k] = ReadChecked(store, s ? "Shortcuts" : "Options", kKeys[k], path);

  // A key of our own, in a section of our own: every value that could be read before must still read
  // the same afterwards.
  if (std::string(reinterpret_cast<const char*>(data), size).find("Fuzzed") == std::string::npos) {
    Check(store.WriteText("Fuzzed", "Key", "value", path.c_str()), "the write succeeds");
    Check(ReadChecked(store, "Fuzzed", "Key", path) == "value", "the written value reads back");
    for (int s = 0; s < 2; ++s)
      for (int k = 0; k < 8; ++k)
        Check(ReadChecked(store, s ? "Shortcuts" : "Options", kKeys[k], path) == before[s][k],
              "a write keeps every other value");
  }

  Settings settings;
  Boxes boxes;
  LoadSettings(settings, store, directory, boxes);
  for (const WindowClassName& name : settings.PlayerClassNames) Check(name.back() == '\0', "class names end");
  for (int n = 1; n <= kJoystickEventCount; ++n) {
    CountingActions actions;
    RunCommand(settings.EventAssignmentTable[n], actions);
    const CommandId id = settings.EventAssignmentTable[n];
    Check(actions.count == (IsCommandId(id) && id != kNothingCommand ? 1 : 0), "only catalogue commands run");
  }
  return 0;
}
