#pragma once
// The pad state the simulated desktop writes, as the stand-in joystick driver and the stand-in
// DirectInput both read it: up to two devices, each "x y z buttons hat hat-kind number vendor product
// button-count has-z", then the sum of all of them as a check (see standin_winmm.cpp).

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "standin_log.h"

namespace standin {

inline constexpr UINT kJoysticks = 16;
inline constexpr int kDevices = 2;
inline constexpr int kFields = 11;  // for each device
inline constexpr unsigned kNoHat = 0, kHatCts = 2;

struct Pad {
  unsigned x = 32768, y = 32768, z = 32768, buttons = 0, hat = 0xFFFF, hatKind = kHatCts, number = 0, vendor = 0,
           product = 0, buttonCount = 0, hasZ = 0;
};

// The file is mapped into memory once and read there, as a driver reads the state it keeps: the
// desktop's writes show at once, and a read costs next to nothing, so that what the program's polling
// costs is measured, not this.
inline bool ReadFileText(char (&text)[256]) {
  static const char* view = nullptr;
  if (!view) {
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("BRONTAVEL_STANDIN_JOYSTICK", path, MAX_PATH)) return false;
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);
    if (!mapping) return false;
    view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    CloseHandle(mapping);
    if (!view) return false;
  }
  std::memcpy(text, view, sizeof text - 1);  // the desktop writes 240 bytes, and the view is a page
  text[sizeof text - 1] = '\0';
  return true;
}

// The device plugged in at joystick id (0-based), or none.
inline bool FindPad(UINT id, Pad& found) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    char text[256];
    if (!ReadFileText(text)) return false;
    unsigned values[kDevices * kFields + 1] = {};
    const char* at = text;
    int read = 0, used = 0;
    unsigned sum = 0;
    while (read < kDevices * kFields + 1 && std::sscanf(at, "%u%n", &values[read], &used) == 1) {
      at += used;
      if (read < kDevices * kFields) sum += values[read];
      ++read;
    }
    if (read != kDevices * kFields + 1 || values[kDevices * kFields] != sum) continue;
    for (int device = 0; device < kDevices; ++device) {
      const unsigned* v = values + device * kFields;
      const Pad pad{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]};
      if (pad.number == id + 1) {
        found = pad;
        return true;
      }
    }
    return false;
  }
  return false;
}

// Logs an answer at joystick id when it differs from the last one there.
inline void LogAnswer(UINT id, const char* text) {
  static char last[kJoysticks][64];
  if (std::strcmp(last[id], text) == 0) return;
  std::snprintf(last[id], sizeof last[id], "%s", text);
  LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "%s\n", text);
}

}  // namespace standin
