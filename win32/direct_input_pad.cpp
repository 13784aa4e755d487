#include "win32/direct_input_pad.h"

// The GUIDs are defined here, and only those used are kept.
#include <initguid.h>
#include <dinput.h>

#include <cstddef>
#include <cwchar>

#include "core/put_off.h"
#include "win32/run_time_function.h"

namespace brontavel {
namespace {

using State = DirectInputPad::State;
constexpr DWORD kAxis = DIDFT_AXIS | DIDFT_ANYINSTANCE;
constexpr DWORD kOptional = DIDFT_OPTIONAL;
constexpr DWORD kX = offsetof(State, x), kY = offsetof(State, y), kZ = offsetof(State, z), kHat = offsetof(State, hat),
                kButtons = offsetof(State, buttons);

struct PadFormat {
  DIOBJECTDATAFORMAT objects[4 + 32];
  DIDATAFORMAT format;

  PadFormat() {
    objects[0] = {&GUID_XAxis, kX, kAxis, 0};
    objects[1] = {&GUID_YAxis, kY, kAxis, 0};
    objects[2] = {&GUID_ZAxis, kZ, kOptional | kAxis, 0};
    objects[3] = {&GUID_POV, kHat, kOptional | DIDFT_POV | DIDFT_ANYINSTANCE, 0};
    for (DWORD i = 0; i < 32; ++i) objects[4 + i] = {nullptr, kButtons + i, kOptional | DIDFT_BUTTON | DIDFT_ANYINSTANCE, 0};
    format = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_ABSAXIS, sizeof(State), 4 + 32, objects};
  }
};
const PadFormat kFormat;  // at namespace scope: a function's static would need a guard, and with it threads

// The axes as the joystick driver gives them, 0..65535, and none of DirectInput's dead zone or
// saturation: inside a dead zone it holds an axis at the centre and stretches the rest over the whole
// range, which would move every zone's edge away from where the joystick driver has it, and the same
// pad would make other gestures read one way than the other. A stick resting a little off the centre
// wakes the program, and the read that finds no gesture changed puts the next one off.
constexpr LONG kAxisMax = 65535;
constexpr DWORD kNoDeadZone = 0, kFullRange = 10000;  // in ten-thousandths of the range
// Reports kept for the program between two reads: far more than a hand makes in 40 ms.
constexpr DWORD kBufferedItems = 256;


bool SetProperty(IDirectInputDevice8A* device, DWORD how, DWORD offset, REFGUID property, DIPROPHEADER& header) {
  header.dwHeaderSize = sizeof(DIPROPHEADER);
  header.dwObj = offset;
  header.dwHow = how;
  return SUCCEEDED(device->SetProperty(property, &header));
}

bool SetAxis(IDirectInputDevice8A* device, DWORD offset) {
  DIPROPRANGE range{};
  range.diph.dwSize = sizeof range;
  range.lMin = 0;
  range.lMax = kAxisMax;
  DIPROPDWORD zone{}, saturation{};
  zone.diph.dwSize = saturation.diph.dwSize = sizeof(DIPROPDWORD);
  zone.dwData = kNoDeadZone;
  saturation.dwData = kFullRange;
  return SetProperty(device, DIPH_BYOFFSET, offset, DIPROP_RANGE, range.diph) &&
         SetProperty(device, DIPH_BYOFFSET, offset, DIPROP_DEADZONE, zone.diph) &&
         SetProperty(device, DIPH_BYOFFSET, offset, DIPROP_SATURATION, saturation.diph);
}

bool SetBufferSize(IDirectInputDevice8A* device) {
  DIPROPDWORD size{};
  size.diph.dwSize = sizeof size;
  size.dwData = kBufferedItems;
  return SetProperty(device, DIPH_DEVICE, 0, DIPROP_BUFFERSIZE, size.diph);
}

bool DeviceProperty(IDirectInputDevice8A* device, REFGUID property, DWORD& value) {
  DIPROPDWORD answer{};
  answer.diph.dwSize = sizeof answer;
  answer.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  answer.diph.dwHow = DIPH_DEVICE;
  const bool ok = SUCCEEDED(device->GetProperty(property, &answer.diph));
  value = answer.dwData;
  return ok;
}

// Microsoft's documented test for a device that Windows' Xbox driver runs: "IG_" in its path.
bool IsXInputDevice(IDirectInputDevice8A* device) {
  DIPROPGUIDANDPATH path{};
  path.diph.dwSize = sizeof path;
  path.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  path.diph.dwHow = DIPH_DEVICE;
  if (FAILED(device->GetProperty(DIPROP_GUIDANDPATH, &path.diph))) return false;
  for (const wchar_t* at = path.wszPath; *at; ++at)
    if ((at[0] == L'I' || at[0] == L'i') && (at[1] == L'G' || at[1] == L'g') && at[2] == L'_') return true;
  return false;
}

struct Search {
  IDirectInput8A* input;
  UINT id;
  DWORD vidPid;
  GUID found;
  bool matched = false, sameModel = false;
};

// The device DirectInput gives the joystick number is the pad; where none has it (a driver that numbers
// them its own way), the first of the same make and model is; another device never is.
BOOL CALLBACK ConsiderDevice(const DIDEVICEINSTANCEA* instance, void* context) {
  Search& search = *static_cast<Search*>(context);
  IDirectInputDevice8A* device = nullptr;
  if (FAILED(search.input->CreateDevice(instance->guidInstance, &device, nullptr))) return DIENUM_CONTINUE;
  DWORD joystickId = 0, vidPid = 0;
  search.matched = DeviceProperty(device, DIPROP_JOYSTICKID, joystickId) && joystickId == search.id;
  const bool sameModel = DeviceProperty(device, DIPROP_VIDPID, vidPid) && vidPid == search.vidPid;
  device->Release();
  if (search.matched || (sameModel && !search.sameModel)) search.found = instance->guidInstance;
  search.sameModel = search.sameModel || sameModel;
  return search.matched ? DIENUM_STOP : DIENUM_CONTINUE;
}

IDirectInput8A* CreateDirectInput() {
  using Create = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, void**, IUnknown*);
  const auto create = RunTimeFunction<Create>(LoadFromSystemFolder("dinput8.dll"), "DirectInput8Create");
  void* input = nullptr;
  if (!create || FAILED(create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A, &input, nullptr)))
    return nullptr;
  return static_cast<IDirectInput8A*>(input);
}

void Apply(State& state, const DIDEVICEOBJECTDATA& item) {
  if (item.dwOfs == kX) state.x = static_cast<LONG>(item.dwData);
  if (item.dwOfs == kY) state.y = static_cast<LONG>(item.dwData);
  if (item.dwOfs == kZ) state.z = static_cast<LONG>(item.dwData);
  if (item.dwOfs == kHat) state.hat = item.dwData;
  if (item.dwOfs >= kButtons && item.dwOfs < kButtons + 32) state.buttons[item.dwOfs - kButtons] = static_cast<BYTE>(item.dwData);
}

}  // namespace

bool DirectInputPad::Open(HWND window, UINT message, UINT id, const PadModel& model, PadReading& first,
                          bool& xboxDriver) {
  Close();
  // Asked for once and kept: each pad taken is looked for anew among the devices it knows now.
  if (!input_) input_ = CreateDirectInput();
  if (!input_) return false;
  Search search{input_, id, MAKELONG(model.vendor, model.product), {}};
  if (FAILED(input_->EnumDevices(DI8DEVCLASS_GAMECTRL, ConsiderDevice, &search, DIEDFL_ATTACHEDONLY)) ||
      !(search.matched || search.sameModel) || FAILED(input_->CreateDevice(search.found, &device_, nullptr)))
    return false;
  DIDEVCAPS caps{};
  caps.dwSize = sizeof caps;
  window_ = window;
  message_ = message;
  changed_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const bool ready = changed_ && stop_ && SUCCEEDED(device_->SetDataFormat(&kFormat.format)) &&
                     SUCCEEDED(device_->SetCooperativeLevel(window, DISCL_BACKGROUND | DISCL_NONEXCLUSIVE)) &&
                     SUCCEEDED(device_->GetCapabilities(&caps)) && !(caps.dwFlags & DIDC_POLLEDDEVICE) &&
                     SetAxis(device_, kX) && SetAxis(device_, kY) && SetBufferSize(device_) &&
                     SUCCEEDED(device_->SetEventNotification(changed_)) && SUCCEEDED(device_->Acquire());
  // A device whose joystick driver reports a Z that DirectInput does not have reads Z at the centre:
  // on an Xbox pad a Z left at 0 would be the right trigger held for ever.
  hasZ_ = ready && SetAxis(device_, kZ);
  if (!ready || !ReadState(first) || !(thread_ = CreateThread(nullptr, 0, &Watch, this, 0, nullptr))) {
    Close();
    return false;
  }
  xboxDriver = IsXInputDevice(device_);
  return true;
}

void DirectInputPad::Close() {
  if (thread_) {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  if (device_) {
    device_->Unacquire();
    device_->SetEventNotification(nullptr);
    device_->Release();
    device_ = nullptr;
  }
  for (HANDLE* handle : {&changed_, &stop_}) {
    if (*handle) CloseHandle(*handle);
    *handle = nullptr;
  }
  posted_ = 0;
  quiet_ = 0;
  state_ = State{};
}

PadReading DirectInputPad::ReadingOfState() const {
  std::uint32_t buttons = 0;
  for (int i = 0; i < 32; ++i)
    if (state_.buttons[i] & 0x80) buttons |= 1u << i;
  // A centred hat reads 0xFFFFFFFF, or 0xFFFF in its low word on some drivers.
  const std::uint32_t hat = LOWORD(state_.hat) == 0xFFFF ? kHatCentred : state_.hat;
  return {static_cast<std::uint32_t>(state_.x), static_cast<std::uint32_t>(state_.y), buttons, hat,
          hasZ_ ? static_cast<std::uint32_t>(state_.z) : 32768u};
}

// The whole state, as when the pad is taken or its buffer could not keep up. A pad lost for a moment
// (another program took it, or Windows woke from sleep) is acquired again and read once more, as
// Microsoft's DirectInput documentation describes for lost input: only if that fails has it gone.
bool DirectInputPad::ReadState(PadReading& reading) {
  HRESULT result = device_->GetDeviceState(sizeof state_, &state_);
  if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED)
    result = SUCCEEDED(device_->Acquire()) ? device_->GetDeviceState(sizeof state_, &state_) : result;
  if (result == E_PENDING) state_ = State{0x8000, 0x8000, 0x8000, 0xFFFFFFFF, {}};  // not ready: at rest
  if (FAILED(result) && result != E_PENDING) return false;
  reading = ReadingOfState();
  return true;
}

bool DirectInputPad::Read(PadReadings& readings) {
  readings.count = 0;
  readings.more = false;
  if (!device_) return false;
  DIDEVICEOBJECTDATA items[PadReadings::kMax];
  DWORD count = PadReadings::kMax;
  const HRESULT result = device_->GetDeviceData(sizeof items[0], items, &count, 0);
  if (result == E_PENDING) return true;  // not ready yet: the last reading stands
  if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED || result == DI_BUFFEROVERFLOW) {
    // What came meanwhile is gone: the state as it is now, once acquired again.
    readings.count = 1;
    return ReadState(readings.items[0]);
  }
  if (FAILED(result)) return false;
  // The items of one report share a sequence number: a hand that presses Fn and pushes the stick at
  // once is one reading, as the joystick driver would have read it.
  for (DWORD i = 0; i < count; ++i) {
    Apply(state_, items[i]);
    if (i + 1 == count || items[i + 1].dwSequence != items[i].dwSequence) readings.items[readings.count++] = ReadingOfState();
  }
  readings.more = count == PadReadings::kMax;
  return true;
}

void DirectInputPad::Quiet(bool nothingNew) {
  InterlockedExchange(&quiet_, static_cast<LONG>(QuietReadsAfter(static_cast<unsigned>(quiet_), nothingNew)));
}

DWORD WINAPI DirectInputPad::Watch(void* self) {
  auto& pad = *static_cast<DirectInputPad*>(self);
  const HANDLE waits[2] = {pad.changed_, pad.stop_};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
    // Only the stop ends the put-off early: a change meanwhile is buffered, and read once it is over.
    const DWORD putOff = PutOffMs(static_cast<unsigned>(pad.quiet_));
    if (putOff && WaitForSingleObject(pad.stop_, putOff) == WAIT_OBJECT_0) break;
    // A post that fails (a full queue) leaves the flag clear, and the next change tries again.
    if (InterlockedExchange(&pad.posted_, 1) == 0 && !PostMessageA(pad.window_, pad.message_, 0, 0))
      InterlockedExchange(&pad.posted_, 0);
  }
  return 0;
}

}  // namespace brontavel
