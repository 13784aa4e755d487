#pragma once

#include <windows.h>

#include <cstddef>

#include "core/pad_layout.h"
#include "core/pad_reports.h"

struct IDirectInput8A;
struct IDirectInputDevice8A;

namespace brontavel {

// What changed since the last read, one reading for each report the pad sent, in order: a quick tap
// whose press and release both came between two reads is two readings, not none.
struct PadReadings {
  static constexpr std::size_t kMax = 16;
  PadReading items[kMax];
  std::size_t count = 0;
  bool more = false;  // the pad had more to say: read again

  const PadReading* begin() const { return items; }
  const PadReading* end() const { return items + count; }
};

// The pad in use read the moment it changes: DirectInput 8 sets an event whenever an axis, a button
// or the hat moves, or the pad is lost, and a small thread turns that into a message for the control
// window, whose thread reads what DirectInput buffered since the last read and makes the gestures as
// the poll would. Where DirectInput 8 cannot be had (Windows 95 and NT 4, or without DirectX 8), finds
// no such pad, needs polling, or any step fails, Open says so and the poll reads the pad instead.
// dinput8.dll is loaded by its full path in the system folder, as the joystick driver is, and never
// imported.
class DirectInputPad {
 public:
  DirectInputPad() = default;
  DirectInputPad(const DirectInputPad&) = delete;
  DirectInputPad& operator=(const DirectInputPad&) = delete;
  ~DirectInputPad() { Close(); }

  // Takes joystick id (0-based) through DirectInput: the attached game controller whose
  // DIPROP_JOYSTICKID is id, else the first attached one of the pad's make and model (DIPROP_VIDPID),
  // else none. Each change posts message to window. first is the pad as DirectInput has it now; an
  // XInput pad (Windows' Xbox driver) is told by "IG_" in its device path.
  bool Open(HWND window, UINT message, UINT id, const PadModel& model, PadReading& first, bool& xboxDriver);
  // Releases the device, which is never used again: a pad that comes back is found anew.
  void Close();
  bool IsOpen() const { return device_ != nullptr; }

  // What the pad reported since the last read; false when it has gone (unplugged, or lost and not to
  // be acquired again). A pad that is not ready yet (E_PENDING) reports nothing.
  bool Read(PadReadings& readings);
  // The change that posted the message has been read: the next one posts again.
  void Handled() { InterlockedExchange(&posted_, 0); }
  // The readings since the last call changed no gesture: the next read is not hurried.
  void Quiet(bool nothingNew);
  // Whether this Windows has DirectInput 8 at all (known once a pad was opened through it).
  bool Available() const { return input_ != nullptr; }

  // What the gestures need of the pad, at the offsets the program's data format gives them.
  struct State {
    LONG x, y, z;
    DWORD hat;
    BYTE buttons[32];
  };

 private:
  static DWORD WINAPI Watch(void* self);
  bool ReadState(PadReading& reading);
  PadReading ReadingOfState() const;

  IDirectInput8A* input_ = nullptr;
  IDirectInputDevice8A* device_ = nullptr;
  HANDLE changed_ = nullptr;  // set by DirectInput
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  HWND window_ = nullptr;
  UINT message_ = 0;
  bool hasZ_ = false;
  volatile LONG posted_ = 0;  // a message is on its way: a pad that reports all the time costs one
  volatile LONG quiet_ = 0;   // reads in a row that found nothing new: the next is not hurried
  State state_{};  // the pad as the last report left it
};

}  // namespace brontavel
