// A stand-in DirectInput 8 for the simulated desktop, a dinput8.dll given to Brontavel.exe alone as the
// stand-in joystick driver is, serving the same pads (see standin_pads.h). It does what Windows' own
// does for a HID gamepad, as Microsoft's DirectInput reference documents it and Wine's dlls/dinput
// carries it out, for what a program like Brontavel asks:
//   - EnumDevices lists the game controllers attached now; CreateDevice makes a device of one of them,
//     whose DIPROP_JOYSTICKID is the joystick number (0-based) it answers at for the joystick driver;
//   - the program's own data format is followed: X, Y and Z axes, the hat and buttons at the offsets
//     it asks for (a button or axis asked for with DIDFT_ANYINSTANCE takes the next one free);
//   - DIPROP_RANGE scales an axis; DIPROP_DEADZONE holds it at the centre near it and DIPROP_SATURATION
//     at its ends, and what lies between is stretched over the whole range, as Wine's dlls/dinput
//     scales an axis and Microsoft's reference describes the two as parts of the range cut out; a hat
//     reads in hundredths of a degree, 0xFFFFFFFF when centred; a button pressed reads 0x80;
//   - SetCooperativeLevel takes only a top-level window of the calling process (E_HANDLE otherwise);
//   - DIPROP_BUFFERSIZE (set before Acquire) keeps that many changes for GetDeviceData, one item for
//     each object a report changed, the items of one report sharing a sequence number, as Wine's
//     joystick_hid.c numbers them; a full buffer drops what comes after and says DI_BUFFEROVERFLOW;
//   - DIPROP_GUIDANDPATH names an XInput pad's path with "IG_", as Windows' Xbox driver does;
//   - the event given to SetEventNotification is set when the state changes, and when the device is
//     lost; a device whose pad went (unplugged, asleep, another pad at its number) stays lost:
//     GetDeviceState says DIERR_INPUTLOST from then on, even when a pad answers there again;
//   - acquisition taken away for a moment (another program, a resume) with the device still there: the
//     next read says DIERR_INPUTLOST and the device is no longer acquired, and Acquire takes it back,
//     unless another program holds it exclusively (DIERR_OTHERAPPHASPRIO); a device not ready to be
//     read says E_PENDING;
//   - a driver may number the devices otherwise than the joystick driver: DIPROP_JOYSTICKID then says
//     the device's own number.
// The state is watched through a change notification on the pad's folder: at rest nothing wakes.
// With BRONTAVEL_STANDIN_NOISE_HZ set, the event is also set that many times a second with nothing
// changed, as some pads do.
// GetDeviceState logs its answer to BRONTAVEL_STANDIN_LOG as the driver does its reads ("state id x y
// buttons hat z", when it differs from the last), and GetDeviceData the state after each report it
// hands out, the same way; each report buffered is logged as "report id x y buttons hat z"; Acquire
// logs "acquire id" (or "refused id" while another program holds the device), a read of a lost device
// "lost id", and one whose acquisition was taken away "interrupted id". A device still acquired when the window it was given has gone logs "orphaned id".

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

struct Lock {
  explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Lock() { LeaveCriticalSection(&section_); }
  CRITICAL_SECTION& section_;
};

bool SameModel(const Pad& a, const Pad& b) { return a.vendor == b.vendor && a.product == b.product; }

class Device final : public IDirectInputDevice8A {
 public:
  explicit Device(const Pad& pad) : pad_(pad) { InitializeCriticalSection(&lock_); }
  ~Device() { DeleteCriticalSection(&lock_); }

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
    caps->dwFlags = DIDC_ATTACHED | DIDC_EMULATED | (pad_.polled ? DIDC_POLLEDDEVICE : 0);
    caps->dwDevType = DI8DEVTYPE_GAMEPAD | (DI8DEVTYPEGAMEPAD_STANDARD << 8) | DIDEVTYPE_HID;
    caps->dwAxes = pad_.hasZ == 1 ? 3 : 2;
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
        if (which <= 1 || (which == 2 && pad_.hasZ == 1)) object = {o.dwOfs, Object::Axis, which};
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
    DWORD process = 0;
    if (!IsWindow(window) || GetAncestor(window, GA_ROOT) != window || !GetWindowThreadProcessId(window, &process) ||
        process != GetCurrentProcessId())
      return E_HANDLE;
    window_ = window;
    return (flags & (DISCL_BACKGROUND | DISCL_FOREGROUND)) && (flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE)) ? DI_OK
                                                                                                               : DIERR_INVALIDPARAM;
  }
  HRESULT WINAPI SetProperty(REFGUID property, const DIPROPHEADER* header) override {
    if (header && header->dwHow == DIPH_DEVICE && &property == &DIPROP_BUFFERSIZE) {
      if (acquired_) return DIERR_ACQUIRED;
      bufferSize_ = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
      return DI_OK;
    }
    if (!header || header->dwHow != DIPH_BYOFFSET) return DIERR_UNSUPPORTED;
    Object* object = ObjectAt(header->dwObj);
    if (!object || object->kind != Object::Axis) return DIERR_OBJECTNOTFOUND;
    if (&property == &DIPROP_RANGE) {
      const auto* range = reinterpret_cast<const DIPROPRANGE*>(header);
      object->min = range->lMin;
      object->max = range->lMax;
      return DI_OK;
    }
    if (&property == &DIPROP_DEADZONE || &property == &DIPROP_SATURATION) {
      const DWORD value = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
      if (value > 10000) return DIERR_INVALIDPARAM;
      (&property == &DIPROP_DEADZONE ? object->deadZone : object->saturation) = value;
      return DI_OK;
    }
    return DIERR_UNSUPPORTED;
  }
  HRESULT WINAPI GetProperty(REFGUID property, DIPROPHEADER* header) override {
    if (!header || header->dwHow != DIPH_DEVICE) return DIERR_UNSUPPORTED;
    if (&property == &DIPROP_JOYSTICKID)
      return reinterpret_cast<DIPROPDWORD*>(header)->dwData = (pad_.dinputId ? pad_.dinputId : pad_.number) - 1, DI_OK;
    if (&property == &DIPROP_GUIDANDPATH) {
      auto* path = reinterpret_cast<DIPROPGUIDANDPATH*>(header);
      swprintf(path->wszPath, MAX_PATH, L"\\\\?\\hid#vid_%04x&pid_%04x%ls#7&2a8f1b0e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
               pad_.vendor, pad_.product, pad_.xinput != kNotXInput ? L"&ig_00" : L"");
      path->guidClass = {0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};
      return DI_OK;
    }
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
    if (now.exclusive) {
      LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "refused %u\n", pad_.number - 1);
      return DIERR_OTHERAPPHASPRIO;
    }
    acquired_ = true;
    interruptions_ = now.interruptions;
    last_ = now;
    {
      Lock lock(lock_);
      buffered_ = 0;  // a buffer starts empty at each acquisition
      overflowed_ = false;
    }
    char text[32];
    std::snprintf(text, sizeof text, "acquire %u", pad_.number - 1);
    LogAnswer(pad_.number - 1, text);  // and the next state read is logged, whatever was read before
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    watcher_ = CreateThread(nullptr, 0, &Watch, this, 0, nullptr);
    return DI_OK;
  }
  HRESULT WINAPI Unacquire() override {
    if (!acquired_) return DI_NOEFFECT;
    if (!IsWindow(window_)) LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "orphaned %u\n", pad_.number - 1);
    SetEvent(stop_);
    WaitForSingleObject(watcher_, INFINITE);
    CloseHandle(watcher_);
    CloseHandle(stop_);
    acquired_ = false;
    return DI_OK;
  }
  // Where a read stands: the device acquired, the pad there and ready, or why not.
  HRESULT Readable(Pad& now) {
    if (!acquired_) return DIERR_NOTACQUIRED;
    if (lost_ || !FindPad(pad_.number - 1, now) || !SameModel(now, pad_)) {
      char text[32];
      std::snprintf(text, sizeof text, "lost %u", pad_.number - 1);
      LogAnswer(pad_.number - 1, text);
      lost_ = true;
      return DIERR_INPUTLOST;
    }
    if (now.interruptions != interruptions_) {  // taken away for a moment: acquired no more
      LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "interrupted %u\n", pad_.number - 1);
      Unacquire();
      return DIERR_INPUTLOST;
    }
    return now.pending ? E_PENDING : DI_OK;
  }
  HRESULT WINAPI GetDeviceState(DWORD size, void* data) override {
    if (!data || size != size_) return DIERR_INVALIDPARAM;
    Pad now;
    if (const HRESULT readable = Readable(now); readable != DI_OK) return readable;
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
    LogState(now);
    return DI_OK;
  }
  HRESULT WINAPI Poll() override { return acquired_ ? DI_NOEFFECT : DIERR_NOTACQUIRED; }
  HRESULT WINAPI GetDeviceData(DWORD itemSize, DIDEVICEOBJECTDATA* items, DWORD* count, DWORD flags) override {
    if (!count || itemSize != sizeof(DIDEVICEOBJECTDATA)) return DIERR_INVALIDPARAM;
    if (!bufferSize_) return DIERR_NOTBUFFERED;
    Pad now;
    if (const HRESULT readable = Readable(now); readable != DI_OK) return *count = 0, readable;
    Lock lock(lock_);
    const DWORD given = *count < buffered_ ? *count : buffered_;
    if (items) std::memcpy(items, buffer_, given * sizeof *items);
    DWORD sequences[kMaxBuffered];
    for (DWORD i = 0; i < given; ++i) sequences[i] = buffer_[i].dwSequence;
    if (!(flags & DIGDD_PEEK)) {
      std::memmove(buffer_, buffer_ + given, (buffered_ - given) * sizeof *buffer_);
      buffered_ -= given;
    }
    *count = given;
    for (DWORD i = 0; i < given; ++i)  // the state after each report handed out, as GetDeviceState says it
      if (i + 1 == given || sequences[i + 1] != sequences[i]) LogState(ReportState(sequences[i]));
    const bool overflowed = overflowed_;
    overflowed_ = false;
    return overflowed ? DI_BUFFEROVERFLOW : DI_OK;
  }

  // Not asked for by the program: answered as a device without them would.
  HRESULT WINAPI EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA, void*, DWORD) override { return DIERR_UNSUPPORTED; }

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
    DWORD deadZone = 0, saturation = 10000;  // ten-thousandths of the range around the centre

    // A position of 0..65535 as the program asked the axis to read: inside the dead zone the centre,
    // past the saturation an end, and what lies between stretched over the whole range.
    LONG Scale(unsigned position) const {
      const double fromCentre = (static_cast<double>(position) - 32767.5) / 32767.5;
      const double zone = deadZone / 10000.0, full = saturation / 10000.0;
      const double size = fromCentre < 0 ? -fromCentre : fromCentre;
      const double away = size <= zone ? 0.0 : size >= full ? 1.0 : (size - zone) / (full - zone);
      const double stretched = fromCentre < 0 ? -away : away;
      return static_cast<LONG>(min + (stretched + 1) / 2 * (max - min) + 0.5);
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
      if (!gone) device.Record(device.last_, now);
      device.last_ = now;
      // A device that must be polled tells nothing by itself (Microsoft's reference: its event is set
      // only when the program polls it).
      if ((gone || changed) && device.event_ && !device.pad_.polled) SetEvent(device.event_);
      DWORD woken;
      while ((woken = WaitForMultipleObjects(2, waits, FALSE, period)) == WAIT_TIMEOUT)
        if (device.event_ && !device.pad_.polled) SetEvent(device.event_);
      if (woken != WAIT_OBJECT_0) break;
      FindNextChangeNotification(written);
    }
    FindCloseChangeNotification(written);
    return 0;
  }

  // What an object of the program's format reads when the pad is as it is.
  DWORD Value(const Object& o, const Pad& pad) const {
    if (o.kind == Object::Axis) return static_cast<DWORD>(o.Scale(o.which == 0 ? pad.x : o.which == 1 ? pad.y : pad.z));
    if (o.kind == Object::Hat) return pad.hat >= 36000 ? 0xFFFFFFFF : pad.hat;
    return (pad.buttons >> o.which & 1) ? 0x80 : 0;
  }

  void LogState(const Pad& pad) const {
    char text[64];
    std::snprintf(text, sizeof text, "state %u %u %u %u %u %u", pad_.number - 1, pad.x, pad.y, pad.buttons, pad.hat, pad.z);
    LogAnswer(pad_.number - 1, text);
  }

  const Pad& ReportState(DWORD sequence) const {
    for (const Report& report : reports_)
      if (report.sequence == sequence) return report.pad;
    return last_;
  }

  // One report: an item for each object it changed, under one sequence number.
  void Record(const Pad& before, const Pad& now) {
    if (!bufferSize_) return;
    Lock lock(lock_);
    const DWORD sequence = ++sequence_;
    bool any = false;
    for (unsigned i = 0; i < objects_; ++i) {
      const Object& o = objects[i];
      if (o.kind == Object::Nothing || Value(o, before) == Value(o, now)) continue;
      if (buffered_ >= bufferSize_ || buffered_ >= kMaxBuffered) {
        overflowed_ = true;
        continue;
      }
      buffer_[buffered_++] = {o.offset, Value(o, now), GetTickCount(), sequence, 0};
      any = true;
    }
    if (!any) return;
    reports_[sequence % kReports] = {sequence, now};
    LogLine("BRONTAVEL_STANDIN_LOG", NowMs(), "report %u %u %u %u %u %u\n", pad_.number - 1, now.x, now.y, now.buttons,
            now.hat, now.z);
  }

  static constexpr DWORD kMaxBuffered = 1024, kReports = 64;
  struct Report {
    DWORD sequence;
    Pad pad;
  } reports_[kReports] = {};
  Pad pad_;  // the pad the device was made for: its number, make and model
  Pad last_;
  unsigned interruptions_ = 0;
  HWND window_ = nullptr;  // the window given to SetCooperativeLevel  // as many as the desktop had counted when the device was acquired
  CRITICAL_SECTION lock_;
  DWORD bufferSize_ = 0, buffered_ = 0, sequence_ = 0;
  bool overflowed_ = false;
  DIDEVICEOBJECTDATA buffer_[kMaxBuffered];
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
    // In DirectInput's own numbering, which a driver may keep otherwise than the joystick driver's.
    Pad pads[kDevices];
    if (!ReadPads(pads)) return DI_OK;
    for (unsigned number = 1; number <= kJoysticks; ++number) {
      const Pad* listed = nullptr;
      for (const Pad& each : pads)
        if (each.number != 0 && (each.dinputId ? each.dinputId : each.number) == number) listed = &each;
      if (!listed) continue;
      const Pad& pad = *listed;
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
