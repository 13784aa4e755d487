#pragma once

#include <cstdint>

namespace brontavel {

// A window as the window system identifies it. The core never looks inside; 0 means "no window".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

}  // namespace brontavel
