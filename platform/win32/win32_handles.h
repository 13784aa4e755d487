#pragma once

#include <windows.h>

#include "platform/window_handle.h"

namespace brontavel {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace brontavel
