#include "platform/win32/win32_desktop_shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/win32_handles.h"

namespace brontavel {

static_assert(kShowNormal == SW_SHOW && kShowNotActivated == SW_SHOWNA);

void Win32DesktopShell::Open(const char* file, int showCommand) {
  // A shortcut that was never chosen reads as an empty name; handed to the shell, that would open
  // a folder window out of nowhere.
  if (file[0] == '\0') return;
  ShellExecuteA(nullptr, nullptr, file, nullptr, nullptr, showCommand);
}

void Win32DesktopShell::PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
  PostMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

}  // namespace brontavel
