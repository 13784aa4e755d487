#include "platform/win32/win32_control_window.h"

#include "res/resource_ids.h"

namespace brontavel {
namespace {

constexpr const char* kClassName = "Brontavel";
constexpr const char* kTitle = "Brontavel";
constexpr int kWidth = 160;
constexpr int kHeight = 22;
// The class's background is system colour 5; the window is never shown, so it is never painted.
const HBRUSH kBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(5));

}  // namespace

Win32ControlWindow::Win32ControlWindow(HINSTANCE instance, WNDPROC procedure)
    : instance_(instance), procedure_(procedure), icon_(LoadIconA(instance, MAKEINTRESOURCEA(IDI_BRONTAVEL))) {}

bool Win32ControlWindow::RegisterWindowClass() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure_;
  windowClass.hInstance = instance_;
  windowClass.hIcon = icon_;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = kBackground;
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

bool Win32ControlWindow::CreateHidden() {
  window_ = CreateWindowExA(0, kClassName, kTitle, WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight,
                            nullptr, nullptr, instance_, nullptr);
  if (!window_) return false;
  ShowWindow(window_, SW_HIDE);
  return true;
}

void Win32ControlWindow::SetTitle(const char* text) { SetWindowTextA(window_, text); }

void Win32ControlWindow::PostToSelf(unsigned message) { PostMessageA(window_, message, 0, 0); }

void Win32ControlWindow::Destroy() { DestroyWindow(window_); }

void Win32ControlWindow::UnregisterWindowClass() { UnregisterClassA(kClassName, instance_); }

}  // namespace brontavel
