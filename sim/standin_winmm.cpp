// A stand-in joystick driver for the simulated desktop: a winmm.dll with the joystick functions
// Brontavel uses, installed where Windows keeps its own and given to Brontavel.exe alone through a
// per-program DLL override. It answers as Windows' multimedia joystick driver does: a pad is read at
// the joystick number it answers at, any other number answers that nothing is plugged in there, and
// a pad without a hat reads 0 where the hat would be.
//
// The pad is a text file named by BRONTAVEL_STANDIN_JOYSTICK, written in place by the desktop:
// "x y buttons hat has-hat id check", buttons as a number (bit n-1 for button n, up to 32), the hat in
// hundredths of a degree (65535: not pressed), id the 0-based number it answers at, check the sum of
// the others; or "unplugged 0" for no pad at all. A read that catches the file half written fails its
// check and is taken again. Every answer that differs from the last one at the same number is logged,
// with its time, to BRONTAVEL_STANDIN_LOG ("read id x y buttons hat", or "absent id"), and so is each
// look at a pad's capabilities ("caps id has-hat").

// This file defines the functions the header declares as imported.
#define _WINMM_
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "standin_log.h"

namespace {

constexpr UINT kJoysticks = 16;

struct Pad {
  bool present = false;
  unsigned x = 32768, y = 32768, buttons = 0, hat = 0xFFFF, hasHat = 1, id = 0;
};

// The file is mapped into memory once and read there, as a driver reads the state it keeps: the
// desktop's writes show at once, and a read costs next to nothing, so that what the program's polling
// costs is measured, not this.
bool ReadFileText(char (&text)[128]) {
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
  std::memcpy(text, view, sizeof text - 1);  // the desktop writes 80 bytes, and the view is a page
  text[sizeof text - 1] = '\0';
  return true;
}

Pad ReadPad() {
  Pad pad;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char text[128];
    if (!ReadFileText(text)) return pad;
    unsigned check = 0;
    if (std::strncmp(text, "unplugged", 9) == 0) return pad;
    if (std::sscanf(text, "%u %u %u %u %u %u %u", &pad.x, &pad.y, &pad.buttons, &pad.hat, &pad.hasHat, &pad.id,
                    &check) == 7 &&
        check == pad.x + pad.y + pad.buttons + pad.hat + pad.hasHat + pad.id) {
      pad.present = true;
      return pad;
    }
  }
  return Pad{};
}

// Logs an answer at joystick id when it differs from the last one there.
void LogAnswer(UINT id, const char* text) {
  static char last[kJoysticks][64];
  if (std::strcmp(last[id], text) == 0) return;
  std::snprintf(last[id], sizeof last[id], "%s", text);
  LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "%s\n", text);
}

}  // namespace

extern "C" {

UINT WINAPI joyGetNumDevs() { return kJoysticks; }

MMRESULT WINAPI joyGetPosEx(UINT id, JOYINFOEX* info) {
  if (!info) return MMSYSERR_INVALPARAM;
  if (id >= kJoysticks || info->dwSize < sizeof(JOYINFOEX)) return JOYERR_PARMS;
  const Pad pad = ReadPad();
  char text[64];
  if (!pad.present || pad.id != id) {
    std::snprintf(text, sizeof text, "absent %u", id);
    LogAnswer(id, text);
    return JOYERR_UNPLUGGED;
  }
  std::snprintf(text, sizeof text, "read %u %u %u %u %u", id, pad.x, pad.y, pad.buttons, pad.hat);
  LogAnswer(id, text);
  if (info->dwFlags & JOY_RETURNX) info->dwXpos = pad.x;
  if (info->dwFlags & JOY_RETURNY) info->dwYpos = pad.y;
  if (info->dwFlags & JOY_RETURNPOV) info->dwPOV = pad.hasHat ? pad.hat : 0;
  if (info->dwFlags & JOY_RETURNBUTTONS) {
    info->dwButtons = pad.buttons;
    info->dwButtonNumber = 0;
    for (unsigned held = pad.buttons; held; held &= held - 1) ++info->dwButtonNumber;
  }
  return JOYERR_NOERROR;
}

MMRESULT WINAPI joyGetPos(UINT id, JOYINFO* info) {
  if (!info) return MMSYSERR_INVALPARAM;
  JOYINFOEX extended{};
  extended.dwSize = sizeof extended;
  extended.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
  const MMRESULT result = joyGetPosEx(id, &extended);
  if (result == JOYERR_NOERROR) *info = {extended.dwXpos, extended.dwYpos, 0, extended.dwButtons & 0xF};
  return result;
}

MMRESULT WINAPI joyGetDevCapsA(UINT_PTR id, JOYCAPSA* caps, UINT size) {
  if (!caps) return MMSYSERR_INVALPARAM;
  if (size != sizeof(JOYCAPSA) || id >= kJoysticks) return JOYERR_PARMS;
  const Pad pad = ReadPad();
  if (!pad.present || pad.id != id) return JOYERR_PARMS;
  std::memset(caps, 0, size);
  std::snprintf(caps->szPname, sizeof caps->szPname, "Stand-in gamepad");
  caps->wXmax = caps->wYmax = caps->wZmax = caps->wRmax = caps->wUmax = caps->wVmax = 0xFFFF;
  caps->wNumButtons = caps->wMaxButtons = 32;
  caps->wNumAxes = 4;
  caps->wMaxAxes = 6;
  caps->wPeriodMin = 10;
  caps->wPeriodMax = 1000;
  caps->wCaps = pad.hasHat ? JOYCAPS_HASPOV | JOYCAPS_POV4DIR : 0;
  LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "caps %u %u\n", static_cast<unsigned>(id), pad.hasHat);
  return JOYERR_NOERROR;
}

}  // extern "C"
