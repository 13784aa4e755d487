#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"

namespace brontavel {

// The settings file of this run: "\Brontavel.ini" directly behind the folder the program was started
// in, taken once at start-up. The folder also holds "Winamp.Lnk". Later changes of the current
// directory (the file chooser makes them) do not move either.
class SettingsFile {
 public:
  // folder as the ANSI functions name it; none where they cannot, and it is then shown to the user as
  // shownFolder and nothing can be read from it or written to it.
  SettingsFile(const std::optional<std::string>& folder, const std::string& shownFolder)
      : folder_(folder.value_or(shownFolder)), reachable_(folder.has_value()), path_(folder_ + kSettingsFileName) {}

  const std::string& folder() const { return folder_; }

  // Reads through KERNEL32's private-profile functions, which also take names longer than MAX_PATH
  // here; the default when the file, section or key is missing.
  std::int32_t ReadInt(const char* section, const char* key, std::int32_t fallback) const;
  void ReadText(const char* section, const char* key, const char* fallback, char* buffer, int size) const;

  // Creates the file, section or key as needed. The first write that fails in a run is reported in a
  // box that names the file and a folder to move the program to. A text that could not be written is
  // read back from memory instead until the program ends, as that box promises: the files chosen for
  // the gestures are read at each use. (Numbers are read only at start-up, before anything is
  // written.) The box belongs to owner, the dialog the change was made in, so that it opens in front
  // of it. True once written.
  bool Write(const char* section, const char* key, const char* value, HWND owner = nullptr);

  // Reads the settings once, at start-up: the repeat timing (each within its range, or its default),
  // the player's class names and the gesture bindings, each with its default. Every binding is written
  // straight back, so afterwards the file holds all fifteen. An empty class name is reported in an
  // "Error" box, and the bindings are then neither read nor written.
  void Load(Settings& settings);

 private:

  std::string folder_;
  bool reachable_;
  std::string path_;
  bool reportedUnsaved_ = false;
  std::vector<std::pair<std::string, std::string>> unsaved_;  // by "section\nkey": a handful at most
};

}  // namespace brontavel
