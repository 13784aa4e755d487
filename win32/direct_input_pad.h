#pragma once

#include <windows.h>

#include "core/pad_reports.h"

struct IDirectInput8A;
struct IDirectInputDevice8A;

namespace brontavel {

// The pad in use read the moment it changes: DirectInput 8 sets an event whenever an axis, a button
// or the hat moves, or the pad is lost, and a small thread turns that into a message for the control
// window, whose thread reads the pad and makes the gestures as the poll would. Where DirectInput 8
// cannot be had (Windows 95 and NT 4, or without DirectX 8), finds no such pad, needs polling, or any
// step fails, Open says so and the poll reads the pad instead. dinput8.dll is loaded by its full path
// in the system folder, as the joystick driver is, and never imported.
class DirectInputPad {
 public:
  DirectInputPad() = default;
  DirectInputPad(const DirectInputPad&) = delete;
  DirectInputPad& operator=(const DirectInputPad&) = delete;
  ~DirectInputPad() { Close(); }

  // Takes joystick id (0-based) through DirectInput: the attached game controller whose
  // DIPROP_JOYSTICKID is id, else the first attached one. Each change posts message to window.
  bool Open(HWND window, UINT message, UINT id);
  // Releases the device, which is never used again: a pad that comes back is found anew.
  void Close();
  bool IsOpen() const { return device_ != nullptr; }

  // The pad as it is now; false when DirectInput says it is lost, unplugged or no longer acquired.
  bool Read(PadReading& reading);
  // The change that posted the message has been read: the next one posts again.
  void Handled() { InterlockedExchange(&posted_, 0); }

 private:
  static DWORD WINAPI Watch(void* self);

  IDirectInput8A* input_ = nullptr;
  IDirectInputDevice8A* device_ = nullptr;
  HANDLE changed_ = nullptr;  // set by DirectInput
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  HWND window_ = nullptr;
  UINT message_ = 0;
  volatile LONG posted_ = 0;  // a message is on its way: a pad that reports all the time costs one
  volatile LONG quiet_ = 0;   // reads in a row that found nothing changed: the next is not hurried
  PadReading last_;
};

}  // namespace brontavel
