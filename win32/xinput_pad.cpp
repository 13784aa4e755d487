#include "win32/xinput_pad.h"

#include <xinput.h>

#include "core/xinput_reading.h"
#include "win32/run_time_function.h"

namespace brontavel {
namespace {

// A pad in use (anything held, or a change in the last 2 s) is sampled every 4 ms, so that a press
// reaches the player within 10 ms; at rest every 16 ms (62 reads a second), within 20 ms.
constexpr DWORD kBusyMs = 4, kRestMs = 16, kBusyForMs = 2000;
// Windows 10 1803 and later: a timer to the millisecond without timeBeginPeriod, which would hold the
// whole system's timer fast and cost its power.
constexpr DWORD kHighResolution = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD kTimerAccess = 0x1F0003;       // TIMER_ALL_ACCESS
constexpr WORD kRumbleSpeed = 40000;

HMODULE LoadXInput() {
  for (const char* dll : {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll"})
    if (const HMODULE module = LoadFromSystemFolder(dll)) return module;
  return nullptr;
}

// The sampling thread's timer: high resolution where Windows has it, else an ordinary one (whose
// waits Windows rounds up to its tick), else none, and the thread waits on its stop event alone.
HANDLE CreateSamplingTimer() {
  using CreateEx = HANDLE(WINAPI*)(SECURITY_ATTRIBUTES*, const wchar_t*, DWORD, DWORD);
  using Create = HANDLE(WINAPI*)(SECURITY_ATTRIBUTES*, BOOL, const wchar_t*);
  if (const auto createEx = RunTimeFunction<CreateEx>("kernel32.dll", "CreateWaitableTimerExW")) {
    if (const HANDLE timer = createEx(nullptr, nullptr, kHighResolution, kTimerAccess)) return timer;
    if (const HANDLE timer = createEx(nullptr, nullptr, 0, kTimerAccess)) return timer;
  }
  const auto create = RunTimeFunction<Create>("kernel32.dll", "CreateWaitableTimerW");
  return create ? create(nullptr, FALSE, nullptr) : nullptr;
}

XInputGamepad GamepadOf(const XINPUT_STATE& state) {
  const XINPUT_GAMEPAD& g = state.Gamepad;
  return {g.wButtons, g.bLeftTrigger, g.bRightTrigger, g.sThumbLX, g.sThumbLY, g.sThumbRX, g.sThumbRY};
}

}  // namespace

XInputPad::XInputPad() {
  // Loaded for the whole run and never freed, as the joystick driver is.
  const HMODULE module = LoadXInput();
  getState_ = RunTimeFunction<GetState>(module, "XInputGetState");
  setState_ = RunTimeFunction<SetState>(module, "XInputSetState");
  getBattery_ = RunTimeFunction<GetBattery>(module, "XInputGetBatteryInformation");
}

bool XInputPad::FirstConnected(unsigned& slot) const {
  if (!getState_) return false;
  for (unsigned i = 0; i < kSlots; ++i) {
    XINPUT_STATE state{};
    if (getState_(i, &state) == ERROR_SUCCESS) {
      slot = i;
      return true;
    }
  }
  return false;
}

bool XInputPad::Open(HWND window, UINT message, unsigned slot, PadReading& first) {
  Close();
  XINPUT_STATE state{};
  if (!getState_ || getState_(slot, &state) != ERROR_SUCCESS) return false;
  // A change between this read and the thread's first sample is a change all the same.
  first = ReadingOf(GamepadOf(state));
  firstPacket_ = state.dwPacketNumber;
  window_ = window;
  message_ = message;
  slot_ = slot;
  busy_ = 0;
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (stop_) thread_ = CreateThread(nullptr, 0, &Sample, this, 0, nullptr);
  if (!thread_) Close();
  return thread_ != nullptr;
}

void XInputPad::Close() {
  if (thread_) {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
    Rumble(false);  // never left running after the pad is let go
  }
  if (stop_) CloseHandle(stop_);
  stop_ = nullptr;
  posted_ = 0;
}

bool XInputPad::Read(PadReading& reading) const {
  XINPUT_STATE state{};
  if (!getState_ || getState_(slot_, &state) != ERROR_SUCCESS) return false;
  reading = ReadingOf(GamepadOf(state));
  return true;
}

bool XInputPad::Battery(bool& wireless, BatteryLevel& level) const {
  XINPUT_BATTERY_INFORMATION battery{};
  if (!getBattery_ || getBattery_(slot_, BATTERY_DEVTYPE_GAMEPAD, &battery) != ERROR_SUCCESS) return false;
  // Disconnected, wired or unknown: nothing to watch.
  wireless = battery.BatteryType == BATTERY_TYPE_ALKALINE || battery.BatteryType == BATTERY_TYPE_NIMH;
  level = battery.BatteryLevel <= BATTERY_LEVEL_FULL ? static_cast<BatteryLevel>(battery.BatteryLevel)
                                                     : BatteryLevel::Full;
  return true;
}

void XInputPad::Rumble(bool on) const {
  XINPUT_VIBRATION motors{};
  motors.wLeftMotorSpeed = motors.wRightMotorSpeed = on ? kRumbleSpeed : 0;
  if (setState_) setState_(slot_, &motors);
}

void XInputPad::WaitMs(const SamplingTimer& timer, DWORD ms) const {
  LARGE_INTEGER due;
  due.QuadPart = -static_cast<LONGLONG>(ms) * 10000;  // relative, in 100 ns
  if (timer.handle && timer.set(timer.handle, &due, 0, nullptr, nullptr, FALSE)) {
    const HANDLE waits[2] = {stop_, timer.handle};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  } else {
    WaitForSingleObject(stop_, ms);
  }
}

DWORD WINAPI XInputPad::Sample(void* self) {
  auto& pad = *static_cast<XInputPad*>(self);
  const auto set = RunTimeFunction<SetTimerFunction>("kernel32.dll", "SetWaitableTimer");
  const SamplingTimer timer{set ? CreateSamplingTimer() : nullptr, set};
  XINPUT_STATE state{};
  DWORD packet = pad.firstPacket_;
  DWORD changedAt = GetTickCount();
  while (WaitForSingleObject(pad.stop_, 0) == WAIT_TIMEOUT) {
    pad.WaitMs(timer, pad.busy_ || GetTickCount() - changedAt < kBusyForMs ? kBusyMs : kRestMs);
    const bool there = pad.getState_(pad.slot_, &state) == ERROR_SUCCESS;
    if (there && state.dwPacketNumber == packet) continue;
    packet = there ? state.dwPacketNumber : packet;
    changedAt = GetTickCount();
    // A post that fails (a full queue) leaves the flag clear, and the next change tries again.
    if (InterlockedExchange(&pad.posted_, 1) == 0 && !PostMessageA(pad.window_, pad.message_, 0, 0))
      InterlockedExchange(&pad.posted_, 0);
    // Gone: the control window's read says so and closes this; nothing more to sample meanwhile.
    if (!there) pad.WaitMs(timer, kRestMs);
  }
  if (timer.handle) CloseHandle(timer.handle);
  return 0;
}

}  // namespace brontavel
