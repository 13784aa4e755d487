// A stand-in DirectInput 8 for the simulated desktop, a dinput8.dll given to Brontavel.exe alone as the
// stand-in joystick driver is, serving the same pads (see standin_pads.h). It does what Windows' own
// does for a HID gamepad, as Microsoft's DirectInput reference documents it and Wine's dlls/dinput
// carries it out, for what a program like Brontavel asks:
//   - EnumDevices lists the game controllers attached now; CreateDevice makes a device of one of them,
//     whose DIPROP_JOYSTICKID is the joystick number (0-based) it answers at for the joystick driver;
//   - the program's own data format is followed: X, Y and Z axes, the hat and buttons at the offsets
//     it asks for (a button or axis asked for with DIDFT_ANYINSTANCE takes the next one free);
//   - DIPROP_RANGE scales an axis, DIPROP_DEADZONE keeps it at the centre near it; a hat reads in
//     hundredths of a degree, 0xFFFFFFFF when centred; a button pressed reads 0x80;
//   - the event given to SetEventNotification is set when the state changes, and when the device is
//     lost; a device whose pad went (unplugged, asleep, another pad at its number) stays lost:
//     GetDeviceState says DIERR_INPUTLOST from then on, even when a pad answers there again.
// The state is watched through a change notification on the pad's folder: at rest nothing wakes.
// With BRONTAVEL_STANDIN_NOISE_HZ set, the event is also set that many times a second with nothing
// changed, as some pads do.
// GetDeviceState logs its answer to BRONTAVEL_STANDIN_LOG as the driver does its reads ("state id x y
// buttons hat z", when it differs from the last); Acquire logs "acquire id", and a read of a lost device
// "lost id".

// This file defines the function the header declares as imported.
#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <initguid.h>
#include <dinput.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "standin_pads.h"

namespace {

using namespace standin;

// A device's instance GUID names the joystick number it was made for.
GUID InstanceGuid(unsigned number) { return {0x42524F4E, 0x5041, 0x4400, {0, 0, 0, 0, 0, 0, 0, static_cast<BYTE>(number)}}; }

bool SameModel(const Pad& a, const Pad& b) { return a.vendor == b.vendor && a.product == b.product; }

class Device final : public IDirectInputDevice8A {
 public:
  explicit Device(const Pad& pad) : pad_(pad) {}

  HRESULT WINAPI QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
  ULONG WINAPI AddRef() override { return InterlockedIncrement(&references_); }
  ULONG WINAPI Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      Unacquire();
      delete this;
    }
    return left;
  }

  HRESULT WINAPI GetCapabilities(DIDEVCAPS* caps) override {
    if (!caps || caps->dwSize != sizeof(DIDEVCAPS)) return DIERR_INVALIDPARAM;
    caps->dwFlags = DIDC_ATTACHED | DIDC_EMULATED;
    caps->dwDevType = DI8DEVTYPE_GAMEPAD | (DI8DEVTYPEGAMEPAD_STANDARD << 8) | DIDEVTYPE_HID;
    caps->dwAxes = pad_.hasZ ? 3 : 2;
    caps->dwButtons = pad_.buttonCount;
    caps->dwPOVs = pad_.hatKind != kNoHat;
    return DI_OK;
  }
  HRESULT WINAPI SetDataFormat(const DIDATAFORMAT* format) override {
    if (acquired_) return DIERR_ACQUIRED;
    if (!format || format->dwObjSize != sizeof(DIOBJECTDATAFORMAT) || format->dwNumObjs > kMaxObjects)
      return DIERR_INVALIDPARAM;
    size_ = format->dwDataSize;
    objects_ = 0;
    unsigned axes = 0, buttons = 0;
    for (DWORD i = 0; i < format->dwNumObjs; ++i) {
      const DIOBJECTDATAFORMAT& o = format->rgodf[i];
      Object object{o.dwOfs, Object::Nothing, 0};
      if (o.dwType & DIDFT_AXIS) {
        const GUID* axis = o.pguid;
        const unsigned which = axis == nullptr ? axes : *axis == GUID_XAxis ? 0 : *axis == GUID_YAxis ? 1 : *axis == GUID_ZAxis ? 2 : 9;
        if (which <= 1 || (which == 2 && pad_.hasZ)) object = {o.dwOfs, Object::Axis, which};
        ++axes;
      } else if (o.dwType & DIDFT_POV) {
        if (pad_.hatKind != kNoHat) object = {o.dwOfs, Object::Hat, 0};
      } else if (o.dwType & DIDFT_BUTTON) {
        const unsigned instance = (o.dwType & DIDFT_ANYINSTANCE) == DIDFT_ANYINSTANCE ? buttons : DIDFT_GETINSTANCE(o.dwType);
        if (instance < pad_.buttonCount) object = {o.dwOfs, Object::Button, instance};
        ++buttons;
      }
      if (object.kind == Object::Nothing && !(o.dwType & DIDFT_OPTIONAL)) return DIERR_INVALIDPARAM;
      objects[objects_++] = object;
    }
    return DI_OK;
  }
  HRESULT WINAPI SetCooperativeLevel(HWND window, DWORD flags) override {
    return IsWindow(window) || (flags & DISCL_BACKGROUND) ? DI_OK : E_HANDLE;
  }
  HRESULT WINAPI SetProperty(REFGUID property, const DIPROPHEADER* header) override {
    if (!header || header->dwHow != DIPH_BYOFFSET) return DIERR_UNSUPPORTED;
    Object* object = ObjectAt(header->dwObj);
    if (!object || object->kind != Object::Axis) return DIERR_OBJECTNOTFOUND;
    if (&property == &DIPROP_RANGE) {
      const auto* range = reinterpret_cast<const DIPROPRANGE*>(header);
      object->min = range->lMin;
      object->max = range->lMax;
      return DI_OK;
    }
    if (&property == &DIPROP_DEADZONE) {
      object->deadZone = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
      return DI_OK;
    }
    return DIERR_UNSUPPORTED;
  }
  HRESULT WINAPI GetProperty(REFGUID property, DIPROPHEADER* header) override {
    if (!header || header->dwHow != DIPH_DEVICE) return DIERR_UNSUPPORTED;
    if (&property == &DIPROP_JOYSTICKID) return reinterpret_cast<DIPROPDWORD*>(header)->dwData = pad_.number - 1, DI_OK;
    if (&property == &DIPROP_VIDPID) return reinterpret_cast<DIPROPDWORD*>(header)->dwData = MAKELONG(pad_.vendor, pad_.product), DI_OK;
    return DIERR_UNSUPPORTED;
  }
  HRESULT WINAPI SetEventNotification(HANDLE event) override {
    if (acquired_) return DIERR_ACQUIRED;
    event_ = event;
    return DI_OK;
  }
  HRESULT WINAPI Acquire() override {
    if (!objects_) return DIERR_INVALIDPARAM;
    if (acquired_) return S_FALSE;
    Pad now;
    if (lost_ || !FindPad(pad_.number - 1, now) || !SameModel(now, pad_)) return DIERR_UNPLUGGED;
    acquired_ = true;
    last_ = now;
    char text[32];
    std::snprintf(text, sizeof text, "acquire %u", pad_.number - 1);
    LogAnswer(pad_.number - 1, text);  // and the next state read is logged, whatever was read before
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    watcher_ = CreateThread(nullptr, 0, &Watch, this, 0, nullptr);
    return DI_OK;
  }
  HRESULT WINAPI Unacquire() override {
    if (!acquired_) return DI_NOEFFECT;
    SetEvent(stop_);
    WaitForSingleObject(watcher_, INFINITE);
    CloseHandle(watcher_);
    CloseHandle(stop_);
    acquired_ = false;
    return DI_OK;
  }
  HRESULT WINAPI GetDeviceState(DWORD size, void* data) override {
    if (!data || size != size_) return DIERR_INVALIDPARAM;
    if (!acquired_) return DIERR_NOTACQUIRED;
    Pad now;
    if (lost_ || !FindPad(pad_.number - 1, now) || !SameModel(now, pad_)) {
      char text[32];
      std::snprintf(text, sizeof text, "lost %u", pad_.number - 1);
      LogAnswer(pad_.number - 1, text);
      lost_ = true;
      return DIERR_INPUTLOST;
    }
    std::memset(data, 0, size);
    auto* bytes = static_cast<BYTE*>(data);
    for (unsigned i = 0; i < objects_; ++i) {
      const Object& o = objects[i];
      if (o.kind == Object::Axis) {
        const LONG value = o.Scale(o.which == 0 ? now.x : o.which == 1 ? now.y : now.z);
        std::memcpy(bytes + o.offset, &value, sizeof value);
      } else if (o.kind == Object::Hat) {
        const DWORD value = now.hat >= 36000 ? 0xFFFFFFFF : now.hat;
        std::memcpy(bytes + o.offset, &value, sizeof value);
      } else if (o.kind == Object::Button) {
        bytes[o.offset] = (now.buttons >> o.which & 1) ? 0x80 : 0;
      }
    }
    char text[64];
    std::snprintf(text, sizeof text, "state %u %u %u %u %u %u", pad_.number - 1, now.x, now.y, now.buttons, now.hat, now.z);
    LogAnswer(pad_.number - 1, text);
    return DI_OK;
  }
  HRESULT WINAPI Poll() override { return acquired_ ? DI_NOEFFECT : DIERR_NOTACQUIRED; }

  // Not asked for by the program: answered as a device without them would.
  HRESULT WINAPI EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA, void*, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI GetDeviceData(DWORD, DIDEVICEOBJECTDATA*, DWORD*, DWORD) override { return DIERR_NOTBUFFERED; }
  HRESULT WINAPI GetObjectInfo(DIDEVICEOBJECTINSTANCEA*, DWORD, DWORD) override { return DIERR_OBJECTNOTFOUND; }
  HRESULT WINAPI GetDeviceInfo(DIDEVICEINSTANCEA*) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI RunControlPanel(HWND, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI Initialize(HINSTANCE, DWORD, REFGUID) override { return DI_OK; }
  HRESULT WINAPI CreateEffect(REFGUID, const DIEFFECT*, IDirectInputEffect**, IUnknown*) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI EnumEffects(LPDIENUMEFFECTSCALLBACKA, void*, DWORD) override { return DI_OK; }
  HRESULT WINAPI GetEffectInfo(DIEFFECTINFOA*, REFGUID) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI GetForceFeedbackState(DWORD*) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI SendForceFeedbackCommand(DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, void*, DWORD) override { return DI_OK; }
  HRESULT WINAPI Escape(DIEFFESCAPE*) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI SendDeviceData(DWORD, const DIDEVICEOBJECTDATA*, DWORD*, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI EnumEffectsInFile(LPCSTR, LPDIENUMEFFECTSINFILECALLBACK, void*, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI WriteEffectToFile(LPCSTR, DWORD, DIFILEEFFECT*, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI BuildActionMap(DIACTIONFORMATA*, LPCSTR, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI SetActionMap(DIACTIONFORMATA*, LPCSTR, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI GetImageInfo(DIDEVICEIMAGEINFOHEADERA*) override { return DIERR_UNSUPPORTED; }

 private:
  struct Object {
    DWORD offset;
    enum Kind { Nothing, Axis, Hat, Button } kind;
    unsigned which;
    LONG min = 0, max = 65535;
    DWORD deadZone = 0;  // ten-thousandths of the range around the centre

    // A position of 0..65535 as the program asked the axis to read.
    LONG Scale(unsigned position) const {
      const double fromCentre = (static_cast<double>(position) - 32767.5) / 32767.5;
      const double zone = deadZone / 10000.0;
      const double away = fromCentre > zone ? (fromCentre - zone) / (1 - zone)
                          : fromCentre < -zone ? (fromCentre + zone) / (1 - zone) : 0.0;
      return static_cast<LONG>(min + (away + 1) / 2 * (max - min) + 0.5);
    }
  };
  static constexpr DWORD kMaxObjects = 64;

  Object* ObjectAt(DWORD offset) {
    for (unsigned i = 0; i < objects_; ++i)
      if (objects[i].offset == offset && objects[i].kind != Object::Nothing) return &objects[i];
    return nullptr;
  }

  // Sets the event when the pad's state changes or it goes; woken only when the desktop writes.
  static DWORD WINAPI Watch(void* self) {
    auto& device = *static_cast<Device*>(self);
    char folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("BRONTAVEL_STANDIN_JOYSTICK", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 0;
    *std::strrchr(folder, '\\') = '\0';
    const HANDLE written = FindFirstChangeNotificationA(folder, FALSE, FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (written == INVALID_HANDLE_VALUE) return 0;
    // Some pads report every few milliseconds whether or not anything changed: told so, this one does.
    char hz[16] = {};
    GetEnvironmentVariableA("BRONTAVEL_STANDIN_NOISE_HZ", hz, sizeof hz);
    const DWORD period = std::atoi(hz) > 0 ? 1000 / std::atoi(hz) : INFINITE;
    const HANDLE waits[2] = {written, device.stop_};
    // The state is looked at once the folder is watched, then at every write: a write that came
    // before the watch began, or while the last one was being read, is not missed.
    for (bool gone = false; !gone;) {
      Pad now;
      gone = !FindPad(device.pad_.number - 1, now) || !SameModel(now, device.pad_);
      const bool changed = std::memcmp(&now, &device.last_, sizeof now) != 0;
      device.last_ = now;
      if ((gone || changed) && device.event_) SetEvent(device.event_);
      DWORD woken;
      while ((woken = WaitForMultipleObjects(2, waits, FALSE, period)) == WAIT_TIMEOUT)
        if (device.event_) SetEvent(device.event_);
      if (woken != WAIT_OBJECT_0) break;
      FindNextChangeNotification(written);
    }
    FindCloseChangeNotification(written);
    return 0;
  }

  Pad pad_;  // the pad the device was made for: its number, make and model
  Pad last_;
  volatile LONG references_ = 1;
  Object objects[kMaxObjects];
  unsigned objects_ = 0;
  DWORD size_ = 0;
  HANDLE event_ = nullptr, stop_ = nullptr, watcher_ = nullptr;
  bool acquired_ = false;
  bool lost_ = false;
};

class Input final : public IDirectInput8A {
 public:
  HRESULT WINAPI QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
  ULONG WINAPI AddRef() override { return InterlockedIncrement(&references_); }
  ULONG WINAPI Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT WINAPI CreateDevice(REFGUID instance, IDirectInputDevice8A** device, IUnknown*) override {
    if (!device) return DIERR_INVALIDPARAM;
    *device = nullptr;
    Pad pad;
    const unsigned number = instance.Data4[7];
    if (instance != InstanceGuid(number) || !FindPad(number - 1, pad)) return DIERR_DEVICENOTREG;
    *device = new Device(pad);
    return DI_OK;
  }
  HRESULT WINAPI EnumDevices(DWORD type, LPDIENUMDEVICESCALLBACKA callback, void* context, DWORD) override {
    if (!callback) return DIERR_INVALIDPARAM;
    if (type != DI8DEVCLASS_ALL && type != DI8DEVCLASS_GAMECTRL) return DI_OK;
    for (unsigned id = 0; id < kJoysticks; ++id) {
      Pad pad;
      if (!FindPad(id, pad)) continue;
      DIDEVICEINSTANCEA instance{};
      instance.dwSize = sizeof instance;
      instance.guidInstance = InstanceGuid(pad.number);
      instance.guidProduct = {MAKELONG(pad.vendor, pad.product), 0, 0, {0, 0, 'P', 'I', 'D', 'V', 'I', 'D'}};
      instance.dwDevType = DI8DEVTYPE_GAMEPAD | (DI8DEVTYPEGAMEPAD_STANDARD << 8) | DIDEVTYPE_HID;
      std::snprintf(instance.tszInstanceName, sizeof instance.tszInstanceName, "Stand-in gamepad %u", pad.number);
      std::snprintf(instance.tszProductName, sizeof instance.tszProductName, "Stand-in gamepad");
      if (callback(&instance, context) == DIENUM_STOP) break;
    }
    return DI_OK;
  }
  HRESULT WINAPI GetDeviceStatus(REFGUID instance) override {
    Pad pad;
    return FindPad(instance.Data4[7] - 1, pad) ? DI_OK : DI_NOTATTACHED;
  }
  HRESULT WINAPI RunControlPanel(HWND, DWORD) override { return DIERR_UNSUPPORTED; }
  HRESULT WINAPI Initialize(HINSTANCE, DWORD) override { return DI_OK; }
  HRESULT WINAPI FindDevice(REFGUID, LPCSTR, GUID*) override { return DIERR_DEVICENOTREG; }
  HRESULT WINAPI EnumDevicesBySemantics(LPCSTR, DIACTIONFORMATA*, LPDIENUMDEVICESBYSEMANTICSCBA, void*, DWORD) override {
    return DIERR_UNSUPPORTED;
  }
  HRESULT WINAPI ConfigureDevices(LPDICONFIGUREDEVICESCALLBACK, DICONFIGUREDEVICESPARAMSA*, DWORD, void*) override {
    return DIERR_UNSUPPORTED;
  }

 private:
  volatile LONG references_ = 1;
};

}  // namespace

extern "C" HRESULT WINAPI DirectInput8Create(HINSTANCE, DWORD version, REFIID wanted, void** out, IUnknown*) {
  if (!out) return DIERR_INVALIDPARAM;
  *out = nullptr;
  if (version < 0x0800) return DIERR_OLDDIRECTINPUTVERSION;
  if (wanted != IID_IDirectInput8A) return DIERR_NOINTERFACE;
  *out = static_cast<IDirectInput8A*>(new Input);
  return DI_OK;
}
