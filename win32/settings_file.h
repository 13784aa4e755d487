#pragma once

#include <cstdint>
#include <string>

#include "core/settings.h"

namespace brontavel {

// The process's current directory as Windows reports it, however long.
std::string CurrentDirectory();

// The settings file: the current directory as Windows reports it, directly followed by
// "\Brontavel.ini". Built afresh at each use, so it follows the current directory; whoever changes
// the directory must put it back before the next use.
std::string SettingsFilePath();

// The settings file through KERNEL32's private-profile functions, which also take names longer than
// MAX_PATH. Reads give the default when the file, section or key is missing.
std::int32_t ReadSettingInt(const std::string& path, const char* section, const char* key, std::int32_t fallback);
void ReadSettingText(const std::string& path, const char* section, const char* key, const char* fallback,
                     char* buffer, int size);
bool WriteSetting(const std::string& path, const char* section, const char* key, const char* value);

// Reads the settings file into settings once, at start-up: the repeat timing, the player's class
// names and the gesture bindings, each with its default. Every binding is written straight back, so
// afterwards the file holds all fifteen. An empty class name is reported in an "Error" box, and the
// bindings are then neither read nor written.
void LoadSettings(Settings& settings);

}  // namespace brontavel
