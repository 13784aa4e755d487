#include "win32/media_keys.h"

#include <windows.h>

#include "core/key_injection.h"
#include "win32/run_time_function.h"

namespace brontavel {
namespace {

// The media keys sit on the keyboard's extended set, as the arrow keys do.
constexpr DWORD kPressFlags = KEYEVENTF_EXTENDEDKEY;
constexpr DWORD kReleaseFlags = KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP;

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = flags;
  return input;
}

}  // namespace

void PressMediaKey(unsigned virtualKey) {
  const WORD key = static_cast<WORD>(virtualKey);
  const WORD scanCode = static_cast<WORD>(MapVirtualKeyA(key, 0));  // MAPVK_VK_TO_VSC; 0 where none
  // SendInput puts the press and the release into the input stream together, so that no other key
  // can come between them. Windows 95 has only keybd_event, which the i686 build must keep to there;
  // where SendInput exists, keybd_event is refused whenever it is.
  using SendInputFunction = UINT(WINAPI*)(UINT, INPUT*, int);
  const auto sendInput = RunTimeFunction<SendInputFunction>("user32.dll", "SendInput");
  if (!sendInput) {
    keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(scanCode), kPressFlags, 0);
    keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(scanCode), kReleaseFlags, 0);
    return;
  }
  INPUT inputs[] = {KeyInput(key, scanCode, kPressFlags), KeyInput(key, scanCode, kReleaseFlags)};
  AfterInjection next = AfterTypingPair(sendInput(2, inputs, sizeof inputs[0]));
  if (next == AfterInjection::SendReleaseAgain && sendInput(1, &inputs[1], sizeof inputs[0]) != 1)
    next = AfterInjection::Warn;
  // The same warning as for a player that is not there: nothing happened.
  if (next == AfterInjection::Warn) MessageBeep(MB_ICONEXCLAMATION);
}

}  // namespace brontavel
