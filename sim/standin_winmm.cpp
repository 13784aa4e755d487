// A stand-in joystick driver for the simulated desktop: a winmm.dll with the joystick functions
// Brontavel uses, installed where Windows keeps its own and given to Brontavel.exe alone through a
// per-program DLL override. It behaves as the multimedia joystick driver does: once joystick 1 is
// captured for a window, it polls the stick every period and posts that window a position report
// when an axis has moved by more than the threshold since the last report (or at every poll without
// change-only reporting), and a button report whenever buttons go down or up. A capture must be
// released before it can be set again.
//
// The "stick" is a text file named by BRONTAVEL_STANDIN_JOYSTICK, holding "x y buttons generation"
// (buttons as a number, bit n-1 for button n). A file holding "unplugged", or no file at all, is no
// joystick: the capture is refused, the position functions answer JOYERR_UNPLUGGED and a capture
// stops reporting. The generation counts how often the pad was found afresh (it came back, or the
// computer resumed from sleep): a capture made in an earlier generation stays silent, as Windows'
// does, until it is released and set again. Every report posted is logged, with its time, to
// BRONTAVEL_STANDIN_LOG, and so are the capture ("capture", or "refused"), its release (or a release
// with nothing captured, "unheld-release") and the threshold being set.

// This file defines the functions the header declares as imported.
#define _WINMM_
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

#include "standin_log.h"

namespace {

constexpr UINT_PTR kPollTimerId = 0x4A4F;

struct StickState {
  unsigned x = 32768, y = 32768, buttons = 0, generation = 0;
};

struct Capture {
  HWND window = nullptr;
  BOOL changesOnly = FALSE;
  UINT threshold = 0;
  StickState reported;  // position as last reported, buttons as last seen
} g_capture;

enum class ReadResult { Ok, Unplugged };

// With BRONTAVEL_STANDIN_RESTING set the stick rests for good: the driver neither polls nor posts,
// so that what the capturing program itself costs while idle can be measured alone.
bool Resting() { return GetEnvironmentVariableA("BRONTAVEL_STANDIN_RESTING", nullptr, 0) != 0; }

ReadResult ReadStick(StickState& state) {
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA("BRONTAVEL_STANDIN_JOYSTICK", path, MAX_PATH)) return ReadResult::Unplugged;
  FILE* file = std::fopen(path, "rb");
  if (!file) return ReadResult::Unplugged;
  char text[128] = {};
  std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  unsigned x, y, buttons, generation = 0;
  if (std::sscanf(text, "%u %u %u %u", &x, &y, &buttons, &generation) < 3) return ReadResult::Unplugged;
  state = {x & 0xFFFF, y & 0xFFFF, buttons & 0xF, generation};
  return ReadResult::Ok;
}

void Log(const char* name, double now, WPARAM wParam, LPARAM lParam) {
  LogLine("BRONTAVEL_STANDIN_LOG", now, "%s 0x%03x %u %u\n", name, static_cast<unsigned>(wParam),
          static_cast<unsigned>(LOWORD(lParam)), static_cast<unsigned>(HIWORD(lParam)));
}

void Post(const char* name, UINT message, WPARAM wParam, LPARAM lParam) {
  const double now = NowMs();
  PostMessageA(g_capture.window, message, wParam, lParam);
  Log(name, now, wParam, lParam);
}

bool MovedEnough(unsigned from, unsigned to) {
  const unsigned distance = from > to ? from - to : to - from;
  return distance > g_capture.threshold;
}

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  StickState now;
  if (ReadStick(now) != ReadResult::Ok || now.generation != g_capture.reported.generation) return;
  StickState& last = g_capture.reported;
  const LPARAM position = MAKELPARAM(now.x, now.y);
  if (!g_capture.changesOnly || MovedEnough(last.x, now.x) || MovedEnough(last.y, now.y)) {
    Post("move", MM_JOY1MOVE, now.buttons, position);
    last.x = now.x;
    last.y = now.y;
  }
  const unsigned changed = last.buttons ^ now.buttons;
  if (const unsigned down = changed & now.buttons) Post("down", MM_JOY1BUTTONDOWN, (down << 8) | now.buttons, position);
  if (const unsigned up = changed & ~now.buttons) Post("up", MM_JOY1BUTTONUP, (up << 8) | now.buttons, position);
  last.buttons = now.buttons;
}

}  // namespace

extern "C" {

UINT WINAPI joyGetNumDevs() { return 16; }

MMRESULT WINAPI joyGetPosEx(UINT id, JOYINFOEX* info) {
  if (id != JOYSTICKID1 || !info) return JOYERR_PARMS;
  StickState now;
  if (ReadStick(now) != ReadResult::Ok) return JOYERR_UNPLUGGED;
  info->dwXpos = now.x;
  info->dwYpos = now.y;
  info->dwButtons = now.buttons;
  return JOYERR_NOERROR;
}

MMRESULT WINAPI joyGetPos(UINT id, JOYINFO* info) {
  JOYINFOEX extended{};
  const MMRESULT result = info ? joyGetPosEx(id, &extended) : JOYERR_PARMS;
  if (result == JOYERR_NOERROR) *info = {extended.dwXpos, extended.dwYpos, 0, extended.dwButtons};
  return result;
}

MMRESULT WINAPI joySetCapture(HWND window, UINT id, UINT period, BOOL changesOnly) {
  if (id != JOYSTICKID1 || !window || !IsWindow(window)) return JOYERR_PARMS;
  if (g_capture.window) return JOYERR_NOCANDO;
  StickState now;
  if (ReadStick(now) != ReadResult::Ok) {
    Log("refused", NowMs(), 0, 0);
    return JOYERR_UNPLUGGED;
  }
  if (!Resting() && !SetTimer(window, kPollTimerId, period, &Poll)) return JOYERR_NOCANDO;
  g_capture.window = window;
  g_capture.changesOnly = changesOnly;
  g_capture.reported = now;
  Log("capture", NowMs(), 0, MAKELPARAM(now.x, now.y));
  return JOYERR_NOERROR;
}

MMRESULT WINAPI joySetThreshold(UINT id, UINT threshold) {
  if (id != JOYSTICKID1) return MMSYSERR_INVALPARAM;
  g_capture.threshold = threshold;
  Log("threshold", NowMs(), threshold, 0);
  return JOYERR_NOERROR;
}

MMRESULT WINAPI joyReleaseCapture(UINT id) {
  if (id != JOYSTICKID1) return JOYERR_PARMS;
  if (!g_capture.window) {
    // Windows 95 and 98 share one capture among all programs: there this would take the pad from
    // whichever program holds it.
    Log("unheld-release", NowMs(), 0, 0);
    return JOYERR_NOCANDO;
  }
  KillTimer(g_capture.window, kPollTimerId);
  g_capture.window = nullptr;
  Log("release", NowMs(), 0, 0);
  return JOYERR_NOERROR;
}

}  // extern "C"
