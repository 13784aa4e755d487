// A stand-in XInput for the simulated desktop, given to Brontavel.exe alone as the stand-in joystick
// driver is, serving the same pads (see standin_pads.h): each pad the desktop marks as an XInput pad
// sits in its slot (0..3) as Microsoft's XInput reference describes it:
//   - XInputGetState answers ERROR_DEVICE_NOT_CONNECTED for an empty slot, and such a call costs time:
//     on Windows asking an empty slot is slow, which is why programs ask them rarely (RetroArch pull
//     request 291, MonoGame pull request 2000, project64 issue 1631);
//   - dwPacketNumber changes whenever the pad's state has changed since it was last asked;
//   - the sticks go -32768..32767 with up positive, the D-pad and the buttons are bits of wButtons,
//     and the triggers 0..255 each, apart;
//   - nothing is held back from a program with no window in front (XInput serves the tray);
//   - XInputGetBatteryInformation gives the level the desktop sets, or a wired pad. Built without
//     STANDIN_BATTERY (as xinput9_1_0.dll) it has no such function, as Windows' has not.
// Each answer that differs from the last one the same thread had at the same slot is logged to
// BRONTAVEL_STANDIN_LOG as "xinput slot x y buttons hat z left-trigger right-trigger thread", in the
// joystick driver's terms (the state the desktop wrote), so that a scenario can wait until the program has read it on each
// of its threads; each call to an empty slot as "xempty slot"; XInputSetState as "rumble slot left
// right".

// This file defines the functions the header declares as imported.
#include <windows.h>
#include <xinput.h>

#include <cstdio>
#include <cstring>

#include "standin_pads.h"

namespace {

using namespace standin;

constexpr DWORD kSlots = 4;
constexpr double kEmptySlotMs = 1.0;

bool FindSlot(DWORD slot, Pad& found) {
  Pad pads[kDevices];
  if (!ReadPads(pads)) return false;
  for (const Pad& pad : pads)
    if (pad.number != 0 && pad.xinput != kNotXInput && pad.slot == slot + 1) return found = pad, true;
  return false;
}

// The state as the pad's own report gives it: the joystick driver's 0..65535, up at 0, turned back.
XINPUT_GAMEPAD GamepadOf(const Pad& pad) {
  static constexpr WORD kButtons[10] = {XINPUT_GAMEPAD_A, XINPUT_GAMEPAD_B, XINPUT_GAMEPAD_X, XINPUT_GAMEPAD_Y,
                                        XINPUT_GAMEPAD_LEFT_SHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER,
                                        XINPUT_GAMEPAD_BACK, XINPUT_GAMEPAD_START, XINPUT_GAMEPAD_LEFT_THUMB,
                                        XINPUT_GAMEPAD_RIGHT_THUMB};
  // The hat's eighths, clockwise from up.
  static constexpr WORD kDpad[8] = {XINPUT_GAMEPAD_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_DPAD_RIGHT,
                                    XINPUT_GAMEPAD_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_DOWN | XINPUT_GAMEPAD_DPAD_RIGHT,
                                    XINPUT_GAMEPAD_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN | XINPUT_GAMEPAD_DPAD_LEFT,
                                    XINPUT_GAMEPAD_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_DPAD_LEFT};
  XINPUT_GAMEPAD g{};
  for (int i = 0; i < 10; ++i)
    if (pad.buttons >> i & 1) g.wButtons |= kButtons[i];
  if (pad.hat < 36000) g.wButtons |= kDpad[(pad.hat + 2250) / 4500 % 8];
  g.bLeftTrigger = static_cast<BYTE>(pad.leftTrigger);
  g.bRightTrigger = static_cast<BYTE>(pad.rightTrigger);
  g.sThumbLX = static_cast<SHORT>(static_cast<int>(pad.x > 65535 ? 65535 : pad.x) - 32768);
  g.sThumbLY = static_cast<SHORT>(32767 - static_cast<int>(pad.y > 65535 ? 65535 : pad.y));
  return g;
}

struct Slot {
  XINPUT_GAMEPAD last{};
  DWORD packet = 1;
};

// Each thread's first sight of a state at a slot is logged: a scenario waits until both of the
// program's threads have seen it.
void LogRead(DWORD slot, const Pad& pad) {
  static thread_local Pad last[kSlots];
  static thread_local bool any[kSlots];
  if (any[slot] && std::memcmp(&last[slot], &pad, sizeof pad) == 0) return;
  any[slot] = true;
  last[slot] = pad;
  LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "xinput %lu %u %u %u %u %u %u %u %lu\n", slot, pad.x, pad.y, pad.buttons,
          pad.hat, pad.z, pad.leftTrigger, pad.rightTrigger, GetCurrentThreadId());
}

void SpendMs(double ms) {
  const double until = NowMs() + ms;
  while (NowMs() < until) {
  }
}

}  // namespace

extern "C" {

DWORD WINAPI XInputGetState(DWORD user, XINPUT_STATE* state) {
  static Slot slots[kSlots];
  static volatile LONG lock = 0;
  if (user >= kSlots || !state) return ERROR_BAD_ARGUMENTS;
  Pad pad;
  if (!FindSlot(user, pad)) {
    LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "xempty %lu\n", user);
    SpendMs(kEmptySlotMs);
    return ERROR_DEVICE_NOT_CONNECTED;
  }
  const XINPUT_GAMEPAD now = GamepadOf(pad);
  while (InterlockedExchange(&lock, 1)) Sleep(0);
  Slot& slot = slots[user];
  if (std::memcmp(&now, &slot.last, sizeof now) != 0) ++slot.packet;
  slot.last = now;
  state->dwPacketNumber = slot.packet;
  state->Gamepad = now;
  InterlockedExchange(&lock, 0);
  LogRead(user, pad);
  return ERROR_SUCCESS;
}

DWORD WINAPI XInputSetState(DWORD user, XINPUT_VIBRATION* vibration) {
  if (user >= kSlots || !vibration) return ERROR_BAD_ARGUMENTS;
  Pad pad;
  if (!FindSlot(user, pad)) return ERROR_DEVICE_NOT_CONNECTED;
  LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "rumble %lu %u %u\n", user, vibration->wLeftMotorSpeed,
          vibration->wRightMotorSpeed);
  return ERROR_SUCCESS;
}

DWORD WINAPI XInputGetCapabilities(DWORD user, DWORD, XINPUT_CAPABILITIES* caps) {
  if (user >= kSlots || !caps) return ERROR_BAD_ARGUMENTS;
  Pad pad;
  if (!FindSlot(user, pad)) return ERROR_DEVICE_NOT_CONNECTED;
  std::memset(caps, 0, sizeof *caps);
  caps->Type = XINPUT_DEVTYPE_GAMEPAD;
  caps->SubType = XINPUT_DEVSUBTYPE_GAMEPAD;
  caps->Gamepad.wButtons = 0xF3FF;
  caps->Gamepad.bLeftTrigger = caps->Gamepad.bRightTrigger = 0xFF;
  caps->Vibration.wLeftMotorSpeed = caps->Vibration.wRightMotorSpeed = 0xFFFF;
  return ERROR_SUCCESS;
}

void WINAPI XInputEnable(BOOL) {}

#ifdef STANDIN_BATTERY
DWORD WINAPI XInputGetBatteryInformation(DWORD user, BYTE, XINPUT_BATTERY_INFORMATION* battery) {
  if (user >= kSlots || !battery) return ERROR_BAD_ARGUMENTS;
  Pad pad;
  if (!FindSlot(user, pad)) return ERROR_DEVICE_NOT_CONNECTED;
  battery->BatteryType = pad.battery >= 4 ? BATTERY_TYPE_WIRED : BATTERY_TYPE_NIMH;
  battery->BatteryLevel = static_cast<BYTE>(pad.battery >= 4 ? BATTERY_LEVEL_FULL : pad.battery);
  LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "battery %lu %u\n", user, pad.battery);
  return ERROR_SUCCESS;
}
#endif

}  // extern "C"
