#pragma once
// The pad state the simulated desktop writes, as the stand-in joystick driver, DirectInput and XInput
// read it: up to two devices, each "x y z buttons hat hat-kind number vendor product button-count has-z
// xinput slot left-trigger right-trigger battery", then the sum of all of them as a check (see
// standin_winmm.cpp). xinput is 0 for a pad XInput does not serve, 1 for an Xbox 360 pad, 2 for an Xbox
// One or Series pad (or one that acts as one); slot is its XInput slot, 1..4; the triggers go 0..255
// (the desktop writes z from them, as Windows' Xbox driver shows both on one axis); battery is 0..3
// for a wireless pad's level (empty, low, medium, full), 4 for a wired pad; then, for DirectInput:
// interruptions, a count the desktop raises each time another program (or a resume) takes the
// device's acquisition away for a moment; exclusive, 1 while another program holds the device
// exclusively, so that it cannot be acquired; pending, 1 while the device is not ready to be read
// (E_PENDING); and dinput-id, the joystick number (1..16) DirectInput gives the device where a driver
// numbers it otherwise than the joystick driver, 0 where they agree; and polled, 1 for a device that
// DirectInput must poll (DIDC_POLLEDDEVICE), which sets no event of its own.

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "standin_log.h"

namespace standin {

inline constexpr UINT kJoysticks = 16;
inline constexpr int kDevices = 2;
inline constexpr int kFields = 21;  // for each device
inline constexpr unsigned kNoHat = 0, kHatCts = 2;
inline constexpr unsigned kNotXInput = 0, kXbox360 = 1, kXboxOne = 2;

struct Pad {
  unsigned x = 32768, y = 32768, z = 32768, buttons = 0, hat = 0xFFFF, hatKind = kHatCts, number = 0, vendor = 0,
           product = 0, buttonCount = 0, hasZ = 0, xinput = kNotXInput, slot = 0, leftTrigger = 0, rightTrigger = 0,
           battery = 4, interruptions = 0, exclusive = 0, pending = 0, dinputId = 0, polled = 0;
  int device = 0;  // which of the file's devices it is
};

// Whether a window of this process is in front, as Windows' Xbox driver asks before it reports.
inline bool InFront() {
  DWORD process = 0;
  if (const HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &process);
  return process == GetCurrentProcessId();
}

// On Windows 10 and 11 the driver of Xbox One and Series pads (xinputhid) reports their changes to
// DirectInput and the joystick driver only while the reading program has a window in front: to any
// other, the pad stays as it was when it last had one (at rest, if it never had). XInput is not held
// back, nor is an Xbox 360 pad on its older driver. See SDL's raw-input joystick driver ("DirectInput
// does not get inputs from XBox One controllers when not in the foreground") and the ViGEm author on
// xinputhid.sys in x360ce issue 1253.
inline void HoldBack(Pad& pad) {
  static Pad lastInFront[kDevices];  // the state each device last showed a window of this process
  static volatile LONG lock = 0;
  while (InterlockedExchange(&lock, 1)) Sleep(0);
  Pad& shown = lastInFront[pad.device];
  if (pad.xinput != kXboxOne || InFront()) {
    shown = pad;
  } else {
    pad.x = shown.x, pad.y = shown.y, pad.z = shown.z, pad.buttons = shown.buttons, pad.hat = shown.hat;
  }
  InterlockedExchange(&lock, 0);
}

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

// The devices as the file has them now; false when it cannot be read whole. A driver hands out the
// state it keeps at next to no cost: the text is parsed again only when it has changed since this
// thread last parsed it.
inline bool ReadPads(Pad (&pads)[kDevices]) {
  static thread_local char parsedText[256];
  static thread_local Pad parsed[kDevices];
  for (int attempt = 0; attempt < 100; ++attempt) {
    char text[256];
    if (!ReadFileText(text)) return false;
    if (std::memcmp(text, parsedText, sizeof text) == 0) {
      std::memcpy(pads, parsed, sizeof parsed);
      return true;
    }
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
      pads[device] = {v[0],  v[1],  v[2],  v[3],  v[4],  v[5],  v[6],  v[7],  v[8],  v[9],  v[10],
                      v[11], v[12], v[13], v[14], v[15], v[16], v[17], v[18], v[19], v[20], device};
    }
    std::memcpy(parsedText, text, sizeof text);
    std::memcpy(parsed, pads, sizeof parsed);
    return true;
  }
  return false;
}

// The device plugged in at joystick id (0-based), as DirectInput and the joystick driver show it to
// this program, or none.
inline bool FindPad(UINT id, Pad& found) {
  Pad pads[kDevices];
  if (!ReadPads(pads)) return false;
  for (const Pad& pad : pads) {
    if (pad.number != id + 1) continue;
    found = pad;
    HoldBack(found);
    return true;
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
