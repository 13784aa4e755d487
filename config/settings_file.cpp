#include "config/settings_file.h"

#include "config/decimal_text.h"

namespace brontavel {
namespace {

constexpr const char* kClassNameKeys[kPlayerSlotCount] = {"MainClass", "PEClass", "EQClass", "MBClass"};
constexpr const char* kMissingClassText =
    "One or more of the Winamp windows could not be found.  Expect errors, otherwise, run Setup.exe.";
constexpr const char* kMissingClassCaption = "Error";

}  // namespace

std::string SettingsFilePath(WorkingDirectory& directory) { return directory.Current() + kSettingsFileName; }

void FormatBindingKey(int n, char (&key)[kKeyBufferSize]) { FormatDecimal(n, key, "C"); }

void FormatShortcutKey(int n, char (&key)[kKeyBufferSize]) { FormatDecimal(n, key, "S"); }

void LoadSettings(Settings& settings, ProfileStore& store, WorkingDirectory& directory, MessageBoxes& boxes) {
  const std::string path = SettingsFilePath(directory);
  settings.RepeatRate = store.ReadInt(kOptionsSection, kRepeatRateKey, kDefaultRepeatRate, path.c_str());
  settings.RepeatDelay = store.ReadInt(kOptionsSection, kRepeatDelayKey, kDefaultRepeatDelay, path.c_str());

  for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
    WindowClassName& name = settings.PlayerClassNames[slot];
    store.ReadText(kOptionsSection, kClassNameKeys[slot], kDefaultPlayerClassNames[slot].data(), name.data(),
                   kClassNameSize, path.c_str());
    name.back() = '\0';
  }
  for (const WindowClassName& name : settings.PlayerClassNames) {
    if (name[0] != '\0') continue;
    // The bindings in the file are left alone for this run; they may suit the player once it is set
    // up properly again.
    boxes.Show(kMissingClassText, kMissingClassCaption);
    return;
  }

  // Reading and writing alternate key by key, so the file ends up holding every binding as plain
  // decimal text, whatever it held before; a number that names no command is kept as it was.
  for (int n = 1; n <= kJoystickEventCount; ++n) {
    char key[kKeyBufferSize];
    FormatBindingKey(n, key);
    CommandId& entry = settings.EventAssignmentTable[n];
    entry = store.ReadInt(kOptionsSection, key, entry, path.c_str());
    char value[kDecimalTextSize];
    FormatDecimal(entry, value);
    store.WriteText(kOptionsSection, key, value, path.c_str());
  }
}

}  // namespace brontavel
