#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include "platform/message_numbers.h"
#include "platform/win32/win32_handles.h"

namespace brontavel {
namespace {

// A player that has stopped answering would otherwise hold our only thread, and with it the whole
// remote, for good. Windows flags a window as hung after about five seconds without reading its
// queue; SMTO_ABORTIFHUNG then gives up at once, and the timeout bounds the wait before that.
constexpr UINT kSendTimeoutMs = 2000;

static_assert(msg::kKeyDown == WM_KEYDOWN && msg::kKeyUp == WM_KEYUP && msg::kClose == WM_CLOSE);
static_assert(msg::kNull == WM_NULL && msg::kCreate == WM_CREATE && msg::kCommand == WM_COMMAND);
static_assert(msg::kInitDialog == WM_INITDIALOG);
static_assert(msg::kJoy1Move == MM_JOY1MOVE && msg::kJoy1ButtonDown == MM_JOY1BUTTONDOWN &&
              msg::kJoy1ButtonUp == MM_JOY1BUTTONUP);
static_assert(vk::kReturn == VK_RETURN && vk::kControl == VK_CONTROL && vk::kSpace == VK_SPACE &&
              vk::kPrior == VK_PRIOR && vk::kNext == VK_NEXT && vk::kEnd == VK_END && vk::kHome == VK_HOME &&
              vk::kLeft == VK_LEFT && vk::kUp == VK_UP && vk::kRight == VK_RIGHT && vk::kDown == VK_DOWN &&
              vk::kDelete == VK_DELETE);
static_assert(sound::kExclamation == MB_ICONEXCLAMATION);
static_assert(static_cast<UINT>(WindowRelation::FirstChild) == GW_CHILD &&
              static_cast<UINT>(WindowRelation::NextSibling) == GW_HWNDNEXT);

}  // namespace

WindowHandle Win32WindowSystem::FindTopLevel(const char* className, const char* title) {
  return FromHwnd(FindWindowA(className, title));
}

bool Win32WindowSystem::IsLive(WindowHandle window) { return window != kNoWindow && IsWindow(ToHwnd(window)); }

WindowHandle Win32WindowSystem::Related(WindowHandle window, WindowRelation relation) {
  return FromHwnd(GetWindow(ToHwnd(window), static_cast<UINT>(relation)));
}

int Win32WindowSystem::ReadTitle(WindowHandle window, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  return GetWindowTextA(ToHwnd(window), buffer, size);
}

void Win32WindowSystem::Send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
}

void Win32WindowSystem::Beep(unsigned soundType) { MessageBeep(soundType); }

}  // namespace brontavel
