#include "win32/direct_input_pad.h"

// The GUIDs are defined here, and only those used are kept.
#include <initguid.h>
#include <dinput.h>

#include <cstddef>
#include <cstring>

#include "win32/run_time_function.h"

namespace brontavel {
namespace {

// What the gestures need of the pad, at the offsets the data format below gives them.
struct PadState {
  LONG x, y, z;
  DWORD hat;
  BYTE buttons[32];
};

constexpr DWORD kAxis = DIDFT_AXIS | DIDFT_ANYINSTANCE;
constexpr DWORD kOptional = DIDFT_OPTIONAL;

struct PadFormat {
  DIOBJECTDATAFORMAT objects[4 + 32];
  DIDATAFORMAT format;

  PadFormat() {
    objects[0] = {&GUID_XAxis, offsetof(PadState, x), kAxis, 0};
    objects[1] = {&GUID_YAxis, offsetof(PadState, y), kAxis, 0};
    objects[2] = {&GUID_ZAxis, offsetof(PadState, z), kOptional | kAxis, 0};
    objects[3] = {&GUID_POV, offsetof(PadState, hat), kOptional | DIDFT_POV | DIDFT_ANYINSTANCE, 0};
    for (DWORD i = 0; i < 32; ++i)
      objects[4 + i] = {nullptr, static_cast<DWORD>(offsetof(PadState, buttons) + i),
                        kOptional | DIDFT_BUTTON | DIDFT_ANYINSTANCE, 0};
    format = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_ABSAXIS, sizeof(PadState), 4 + 32, objects};
  }
};
const PadFormat kFormat;  // at namespace scope: a function's static would need a guard, and with it threads

// The stick's axes as the joystick driver gives them, 0..65535, and a dead zone of a tenth around the
// centre, so that a stick resting a little off it does not wake the program.
constexpr LONG kAxisMax = 65535;
// Some pads report every few milliseconds whether anything changed or not. While reads find nothing
// new, the next is put off 20 ms, and after two such reads 40 ms: such a pad is read at most 25 times
// a second (under 1 % of a core), and its first real change is seen at most 40 ms late; the changes
// after that are seen at once. Longer would cost a jittery resting stick its quick first press.
constexpr DWORD kQuietMs = 20;
constexpr LONG kQuietReadsCounted = 2;

DWORD PutOff(LONG quietReads) { return static_cast<DWORD>(quietReads) * kQuietMs; }
constexpr DWORD kStickDeadZone = 1000;  // in ten-thousandths of the range

bool SetAxisProperty(IDirectInputDevice8A* device, DWORD offset, REFGUID property, DIPROPHEADER& header) {
  header.dwHeaderSize = sizeof(DIPROPHEADER);
  header.dwObj = offset;
  header.dwHow = DIPH_BYOFFSET;
  return SUCCEEDED(device->SetProperty(property, &header));
}

bool SetAxisRange(IDirectInputDevice8A* device, DWORD offset) {
  DIPROPRANGE range{};
  range.diph.dwSize = sizeof range;
  range.lMin = 0;
  range.lMax = kAxisMax;
  return SetAxisProperty(device, offset, DIPROP_RANGE, range.diph);
}

bool SetDeadZone(IDirectInputDevice8A* device, DWORD offset) {
  DIPROPDWORD zone{};
  zone.diph.dwSize = sizeof zone;
  zone.dwData = kStickDeadZone;
  return SetAxisProperty(device, offset, DIPROP_DEADZONE, zone.diph);
}

struct Search {
  IDirectInput8A* input;
  UINT id;
  GUID found;
  bool any = false, matched = false;
};

BOOL CALLBACK ConsiderDevice(const DIDEVICEINSTANCEA* instance, void* context) {
  Search& search = *static_cast<Search*>(context);
  if (!search.any) search.found = instance->guidInstance;
  search.any = true;
  IDirectInputDevice8A* device = nullptr;
  if (FAILED(search.input->CreateDevice(instance->guidInstance, &device, nullptr))) return DIENUM_CONTINUE;
  DIPROPDWORD joystickId{};
  joystickId.diph.dwSize = sizeof joystickId;
  joystickId.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  joystickId.diph.dwHow = DIPH_DEVICE;
  search.matched = SUCCEEDED(device->GetProperty(DIPROP_JOYSTICKID, &joystickId.diph)) && joystickId.dwData == search.id;
  device->Release();
  if (!search.matched) return DIENUM_CONTINUE;
  search.found = instance->guidInstance;
  return DIENUM_STOP;
}

IDirectInput8A* CreateDirectInput() {
  using Create = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, void**, IUnknown*);
  const auto create = RunTimeFunction<Create>(LoadFromSystemFolder("dinput8.dll"), "DirectInput8Create");
  void* input = nullptr;
  if (!create || FAILED(create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A, &input, nullptr)))
    return nullptr;
  return static_cast<IDirectInput8A*>(input);
}

}  // namespace

bool DirectInputPad::Open(HWND window, UINT message, UINT id) {
  Close();
  // Asked for once and kept: each pad taken is looked for anew among the devices it knows now.
  if (!input_) input_ = CreateDirectInput();
  if (!input_) return false;
  Search search{input_, id, {}};
  if (FAILED(input_->EnumDevices(DI8DEVCLASS_GAMECTRL, ConsiderDevice, &search, DIEDFL_ATTACHEDONLY)) || !search.any ||
      FAILED(input_->CreateDevice(search.found, &device_, nullptr)))
    return false;
  DIDEVCAPS caps{};
  caps.dwSize = sizeof caps;
  window_ = window;
  message_ = message;
  changed_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const bool ready =
      changed_ && stop_ && SUCCEEDED(device_->SetDataFormat(&kFormat.format)) &&
      SUCCEEDED(device_->SetCooperativeLevel(window, DISCL_BACKGROUND | DISCL_NONEXCLUSIVE)) &&
      SUCCEEDED(device_->GetCapabilities(&caps)) && !(caps.dwFlags & DIDC_POLLEDDEVICE) &&
      SetAxisRange(device_, offsetof(PadState, x)) && SetAxisRange(device_, offsetof(PadState, y)) &&
      SetDeadZone(device_, offsetof(PadState, x)) && SetDeadZone(device_, offsetof(PadState, y)) &&
      (SetAxisRange(device_, offsetof(PadState, z)), true) && SUCCEEDED(device_->SetEventNotification(changed_)) &&
      SUCCEEDED(device_->Acquire()) && (thread_ = CreateThread(nullptr, 0, &Watch, this, 0, nullptr)) != nullptr;
  if (!ready) Close();
  return ready;
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
  last_ = PadReading{};
}

bool DirectInputPad::Read(PadReading& reading) {
  PadState state{};
  if (!device_ || FAILED(device_->GetDeviceState(sizeof state, &state))) return false;
  std::uint32_t buttons = 0;
  for (int i = 0; i < 32; ++i)
    if (state.buttons[i] & 0x80) buttons |= 1u << i;
  // A centred hat reads 0xFFFFFFFF, or 0xFFFF in its low word on some drivers.
  const std::uint32_t hat = LOWORD(state.hat) == 0xFFFF ? kHatCentred : state.hat;
  reading = {static_cast<std::uint32_t>(state.x), static_cast<std::uint32_t>(state.y), buttons, hat,
             static_cast<std::uint32_t>(state.z)};
  const bool same = std::memcmp(&reading, &last_, sizeof reading) == 0;
  InterlockedExchange(&quiet_, same ? (quiet_ < kQuietReadsCounted ? quiet_ + 1 : quiet_) : 0);
  last_ = reading;
  return true;
}

DWORD WINAPI DirectInputPad::Watch(void* self) {
  auto& pad = *static_cast<DirectInputPad*>(self);
  const HANDLE waits[2] = {pad.changed_, pad.stop_};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
    const DWORD putOff = PutOff(pad.quiet_);
    if (putOff && WaitForSingleObject(pad.stop_, putOff) == WAIT_OBJECT_0) break;
    if (InterlockedExchange(&pad.posted_, 1) == 0) PostMessageA(pad.window_, pad.message_, 0, 0);
  }
  return 0;
}

}  // namespace brontavel
