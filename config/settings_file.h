#pragma once

#include <string>

#include "config/settings.h"
#include "platform/message_boxes.h"
#include "platform/profile_store.h"
#include "platform/working_directory.h"

namespace brontavel {

inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kShortcutsSection = "Shortcuts";
inline constexpr const char* kRepeatRateKey = "RepeatRate";
inline constexpr const char* kRepeatDelayKey = "RepeatDelay";
inline constexpr const char* kSettingsFileName = "\\Brontavel.ini";

// Room for "C" or "S" and any number's decimal text.
inline constexpr int kKeyBufferSize = 16;

// The settings file: the current directory as the platform reports it, directly followed by
// "\Brontavel.ini". Built afresh at each use, so it follows the current directory; whoever changes
// the directory must put it back before the next use.
std::string SettingsFilePath(WorkingDirectory& directory);

// "C7", "S3": the key of gesture n's binding and of shortcut n's file.
void FormatBindingKey(int n, char (&key)[kKeyBufferSize]);
void FormatShortcutKey(int n, char (&key)[kKeyBufferSize]);

// Reads the settings file into settings once, at start-up: the repeat timing, the player's class
// names and the gesture bindings, each with its default. Every binding is written straight back, so
// afterwards the file holds all fifteen. An empty class name is reported in an "Error" box, and the
// bindings are then neither read nor written.
void LoadSettings(Settings& settings, ProfileStore& store, WorkingDirectory& directory, MessageBoxes& boxes);

}  // namespace brontavel
