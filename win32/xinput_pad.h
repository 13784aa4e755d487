#pragma once

#include <windows.h>

#include "core/battery_watch.h"
#include "core/pad_reports.h"

namespace brontavel {

// An Xbox pad (or a pad of another maker that acts as one) through XInput. On Windows 10 and 11 the
// driver of Xbox One and Series pads holds their reports back from DirectInput and the joystick
// driver for a program with no window in front, which a program in the notification area never
// has; XInput serves them to any program. XInput has no event: the pad in use is sampled by a
// thread of its own, which posts a message to the control window only when the pad's packet number
// changes (or it goes), and the control window's thread reads it as it reads any pad.
//
// The DLL is loaded by its full path in the system folder, as the joystick driver is, and never
// imported: xinput1_4.dll (Windows 8 and later), else xinput1_3.dll, else xinput9_1_0.dll (Vista to
// 10, which has no battery call). Where none loads (Windows 95 to 2000, XP without it), every call
// fails and the program reads its pads as it did before XInput.
class XInputPad {
 public:
  static constexpr unsigned kSlots = 4;

  XInputPad();
  XInputPad(const XInputPad&) = delete;
  XInputPad& operator=(const XInputPad&) = delete;
  ~XInputPad() { Close(); }

  // Whether this Windows has XInput at all.
  bool Available() const { return getState_ != nullptr; }
  // The lowest slot with a pad connected. An empty slot can take milliseconds to say so: asked only
  // when a pad is looked for, never on every tick.
  bool FirstConnected(unsigned& slot) const;

  // Samples the pad at slot; each change after first, the pad as it is now, posts message to window.
  bool Open(HWND window, UINT message, unsigned slot, PadReading& first);
  // Stops the sampling and the motors.
  void Close();
  bool IsOpen() const { return thread_ != nullptr; }
  unsigned Slot() const { return slot_; }

  // The pad as it is now; false once it has gone (ERROR_DEVICE_NOT_CONNECTED).
  bool Read(PadReading& reading) const;
  // The change that posted the message has been read: the next one posts again.
  void Handled() { InterlockedExchange(&posted_, 0); }
  // Something is held: sampled often until it is let go, so that a press soon after is seen at once.
  void SetBusy(bool busy) { InterlockedExchange(&busy_, busy ? 1 : 0); }

  // A wireless pad's battery; false where the pad or the DLL cannot say (xinput9_1_0.dll).
  bool Battery(bool& wireless, BatteryLevel& level) const;
  // Both motors on or off; harmless where the pad has none.
  void Rumble(bool on) const;

 private:
  // Windows 95 has no waitable timers: looked up, as the 32-bit program imports nothing 95 lacks.
  using SetTimerFunction = BOOL(WINAPI*)(HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, void*, BOOL);
  struct SamplingTimer {
    HANDLE handle;
    SetTimerFunction set;
  };
  static DWORD WINAPI Sample(void* self);
  void WaitMs(const SamplingTimer& timer, DWORD ms) const;

  using GetState = DWORD(WINAPI*)(DWORD, void*);
  using SetState = DWORD(WINAPI*)(DWORD, void*);
  using GetBattery = DWORD(WINAPI*)(DWORD, BYTE, void*);
  GetState getState_ = nullptr;
  SetState setState_ = nullptr;
  GetBattery getBattery_ = nullptr;

  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  HWND window_ = nullptr;
  UINT message_ = 0;
  unsigned slot_ = 0;
  volatile LONG posted_ = 0;  // a message is on its way: at most one in flight
  volatile LONG busy_ = 0;
  DWORD firstPacket_ = 0;  // the packet the first reading came from: the sampling starts from it
};

}  // namespace brontavel
