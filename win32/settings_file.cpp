#include "win32/settings_file.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>


#include "core/unsaved_notice.h"
#include "win32/ansi_names.h"
#include "win32/dialogs.h"
#include "win32/shell_folders.h"

namespace brontavel {
namespace {

constexpr const char* kMissingClassText =
    "One or more of the Winamp windows could not be found.  Expect errors, otherwise, run Setup.exe.";
constexpr const char* kMissingClassCaption = "Error";
constexpr const char* kUnsavedCaption = "Settings Not Saved";
// What a key the file does not have reads as: no one types DEL into a settings file.
constexpr char kAbsent[] = "\x7f";

// The profile functions take at most MAX_PATH characters. A longer name (a deeply nested working
// directory) is handed over with its folder in short 8.3 form, which names the same file.
std::string ProfilePath(const std::string& path) {
  if (path.size() < MAX_PATH) return path;
  const std::size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return path;
  const std::string folder = path.substr(0, slash);
  const DWORD needed = GetShortPathNameA(folder.c_str(), nullptr, 0);
  if (needed == 0) return path;
  std::string shortFolder(needed, '\0');
  const DWORD length = GetShortPathNameA(folder.c_str(), shortFolder.data(), needed);
  if (length == 0 || length >= needed) return path;
  shortFolder.resize(length);
  return shortFolder + path.substr(slash);
}

// The text kept in memory for a key that could not be written; null for none.
// Section and key names are ASCII, and the profile functions take them in any case.
template <typename Entries>
auto* Unsaved(Entries& entries, const std::string& sectionAndKey) {
  for (auto& [key, value] : entries)
    if (lstrcmpiA(key.c_str(), sectionAndKey.c_str()) == 0) return &value;
  return static_cast<decltype(&entries.front().second)>(nullptr);
}

}  // namespace

std::int32_t SettingsFile::ReadInt(const char* section, const char* key, std::int32_t fallback) const {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, fallback, ProfilePath(path_).c_str()));
}

void SettingsFile::ReadText(const char* section, const char* key, const char* fallback, char* buffer,
                            int size) const {
  if (const std::string* value = Unsaved(unsaved_, std::string(section) + '\n' + key)) {
    std::strncpy(buffer, value->c_str(), static_cast<std::size_t>(size - 1));
    buffer[size - 1] = '\0';
    return;
  }
  GetPrivateProfileStringA(section, key, fallback, buffer, static_cast<DWORD>(size), ProfilePath(path_).c_str());
}

bool SettingsFile::Write(const char* section, const char* key, const char* value, HWND owner) {
  const std::string sectionAndKey = std::string(section) + '\n' + key;
  const bool written = reachable_ && WritePrivateProfileStringA(section, key, value, ProfilePath(path_).c_str());
  // Once a key is kept in memory, memory must follow every later value, written to the file or not.
  if (std::string* unsaved = Unsaved(unsaved_, sectionAndKey)) {
    *unsaved = value;
  } else if (!written) {
    unsaved_.emplace_back(sectionAndKey, value);
  }
  if (written) return true;
  if (reportedUnsaved_) return false;
  // Once per run: the user needs to know, not to be told at every change. The suggestion is a
  // folder the user can always write to: "Brontavel" in the Documents folder, which every Windows has.
  reportedUnsaved_ = true;
  const std::string text = UnsavedSettingsNotice(path_, reachable_, ShellFolderPath(CSIDL_PERSONAL));
  ShowMessage(text.c_str(), kUnsavedCaption, owner);
  return false;
}

void SettingsFile::Load(Settings& settings) {
  settings.RepeatRate =
      RepeatMsFromFile(ReadInt(kOptionsSection, kRepeatRateKey, kDefaultRepeatRate), kDefaultRepeatRate);
  settings.RepeatDelay =
      RepeatMsFromFile(ReadInt(kOptionsSection, kRepeatDelayKey, kDefaultRepeatDelay), kDefaultRepeatDelay);
  // As text: read as a number, a slip such as "yes" would be 0 and put the remote into every game.
  char pauseInFullScreen[kDecimalTextSize];
  ReadText(kOptionsSection, kPauseInFullScreenKey, kAbsent, pauseInFullScreen, sizeof pauseInFullScreen);
  settings.PauseInFullScreen = PauseInFullScreenFromFile(pauseInFullScreen);
  // What cannot be read past 1,000 characters is not read; names in any script the code page has.
  char pauseFor[kPauseForRead + 2];
  ReadText(kOptionsSection, kPauseForKey, kAbsent, pauseFor, sizeof pauseFor);
  wchar_t wide[kPauseForRead + 2];
  const int length = std::strcmp(pauseFor, kAbsent) == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, pauseFor, -1, wide, kPauseForRead + 2);
  settings.PauseFor = ProgramsNamed(wide, length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  // A first start writes both beside the bindings, so that a user finds them; a change is taken at
  // the next start.
  if (std::strcmp(pauseInFullScreen, kAbsent) == 0) Write(kOptionsSection, kPauseInFullScreenKey, "1");
  if (std::strcmp(pauseFor, kAbsent) == 0) Write(kOptionsSection, kPauseForKey, "");
  // The class names in memory are the edition's own until the file names others; the program never
  // writes them, so each edition keeps its own where the file has none.
  for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
    WindowClassName& name = settings.PlayerClassNames[slot];
    const WindowClassName fallback = name;
    ReadText(kOptionsSection, kClassNameKeys[slot], fallback.data(), name.data(), kClassNameSize);
    name.back() = '\0';
  }
  if (HasEmptyClassName(settings.PlayerClassNames)) {
    // The bindings in the file are left alone for this run; they may suit the player once it is set
    // up properly again.
    ShowMessage(kMissingClassText, kMissingClassCaption);
    return;
  }
  // Reading and writing alternate key by key, so the file ends up holding every binding as plain
  // decimal text, whatever it held before; a number that names no command is kept as it was.
  for (int n = 1; n <= kJoystickEventCount; ++n) {
    DecimalText key, value;
    FormatBindingKey(n, key);
    CommandId& entry = settings.EventAssignmentTable[n];
    entry = ReadInt(kOptionsSection, key, entry);
    FormatDecimal(entry, value);
    Write(kOptionsSection, key, value);
  }
}

}  // namespace brontavel
