// A stand-in joystick driver for the simulated desktop: a winmm.dll with the joystick functions
// Brontavel uses, installed where Windows keeps its own and given to Brontavel.exe alone through a
// per-program DLL override. It answers as Windows' multimedia joystick driver does: a pad is read at
// the joystick number it answers at, any other number answers that nothing is plugged in there, and
// a pad without a hat reads 0 where the hat would be. Its capabilities name the pad's USB vendor and
// product ids in wMid and wPid, as Wine's driver takes them from the device (DIPROP_VIDPID).
//
// Two devices may be plugged in at once: the pad in the user's hand, and another (a second pad, a
// wheel, a virtual pad another program made). The desktop writes them to a text file named by
// BRONTAVEL_STANDIN_JOYSTICK, in place: for each device "x y z buttons hat hat-kind number vendor
// product button-count has-z", then the sum of all of them as a check. Buttons are a number (bit n-1
// for button n, up to 32); the hat is in hundredths of a degree (65535: not pressed); hat-kind is 0
// for none, 1 for a hat that tells only its four directions (JOYCAPS_POV4DIR), 2 for one that tells
// hundredths (JOYCAPS_POVCTS); number is 1..16, 0 for a device that is not plugged in. A read that
// catches the file half written fails its check and is taken again.
//
// Asked for the hat in "discrete units" (JOY_RETURNPOV alone), a pad says one of the four documented
// directions (JOY_POVFORWARD, JOY_POVRIGHT, JOY_POVBACKWARD, JOY_POVLEFT) or centred: a diagonal is
// said as the direction before it, clockwise. Asked with JOY_RETURNPOVCTS, a hat that can tell
// hundredths says them.
//
// Every answer that differs from the last one at the same number is logged, with its time, to
// BRONTAVEL_STANDIN_LOG ("read id x y buttons hat z", or "absent id"), and so is each look at a pad's
// capabilities ("caps id has-hat").

// This file defines the functions the header declares as imported.
#define _WINMM_
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "standin_pads.h"

namespace {

using namespace standin;

DWORD HatAnswer(const Pad& pad, DWORD flags) {
  if (pad.hatKind == kNoHat) return 0;
  if (pad.hat >= 36000) return JOY_POVCENTERED;
  if ((flags & JOY_RETURNPOVCTS) && pad.hatKind == kHatCts) return pad.hat;
  return pad.hat / 9000 * 9000;
}

}  // namespace

extern "C" {

UINT WINAPI joyGetNumDevs() { return kJoysticks; }

MMRESULT WINAPI joyGetPosEx(UINT id, JOYINFOEX* info) {
  if (!info) return MMSYSERR_INVALPARAM;
  if (id >= kJoysticks || info->dwSize < sizeof(JOYINFOEX)) return JOYERR_PARMS;
  Pad pad;
  char text[64];
  if (!FindPad(id, pad)) {
    std::snprintf(text, sizeof text, "absent %u", id);
    LogAnswer(id, text);
    return JOYERR_UNPLUGGED;
  }
  std::snprintf(text, sizeof text, "read %u %u %u %u %u %u", id, pad.x, pad.y, pad.buttons, pad.hat, pad.z);
  LogAnswer(id, text);
  if (info->dwFlags & JOY_RETURNX) info->dwXpos = pad.x;
  if (info->dwFlags & JOY_RETURNY) info->dwYpos = pad.y;
  if (info->dwFlags & JOY_RETURNZ) info->dwZpos = pad.hasZ ? pad.z : 0;
  if (info->dwFlags & (JOY_RETURNPOV | JOY_RETURNPOVCTS)) info->dwPOV = HatAnswer(pad, info->dwFlags);
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
  extended.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNZ | JOY_RETURNBUTTONS;
  const MMRESULT result = joyGetPosEx(id, &extended);
  if (result == JOYERR_NOERROR) *info = {extended.dwXpos, extended.dwYpos, extended.dwZpos, extended.dwButtons & 0xF};
  return result;
}

MMRESULT WINAPI joyGetDevCapsA(UINT_PTR id, JOYCAPSA* caps, UINT size) {
  if (!caps) return MMSYSERR_INVALPARAM;
  if (size != sizeof(JOYCAPSA) || id >= kJoysticks) return JOYERR_PARMS;
  Pad pad;
  if (!FindPad(static_cast<UINT>(id), pad)) return JOYERR_PARMS;
  std::memset(caps, 0, size);
  caps->wMid = static_cast<WORD>(pad.vendor);
  caps->wPid = static_cast<WORD>(pad.product);
  std::snprintf(caps->szPname, sizeof caps->szPname, "Stand-in gamepad");
  caps->wXmax = caps->wYmax = caps->wZmax = caps->wRmax = caps->wUmax = caps->wVmax = 0xFFFF;
  caps->wNumButtons = static_cast<UINT>(pad.buttonCount);
  caps->wMaxButtons = 32;
  caps->wNumAxes = pad.hasZ ? 3 : 2;
  caps->wMaxAxes = 6;
  caps->wPeriodMin = 10;
  caps->wPeriodMax = 1000;
  if (pad.hasZ) caps->wCaps |= JOYCAPS_HASZ;
  if (pad.hatKind != kNoHat) caps->wCaps |= JOYCAPS_HASPOV | JOYCAPS_POV4DIR | (pad.hatKind == kHatCts ? JOYCAPS_POVCTS : 0);
  LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "caps %u %u\n", static_cast<unsigned>(id), pad.hatKind != kNoHat);
  return JOYERR_NOERROR;
}

}  // extern "C"
