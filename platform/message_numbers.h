#pragma once

// The Windows message numbers, key codes and flags that cross the boundary between the core and the
// platform. They are wire values, fixed by Windows, so the core can speak them without <windows.h>;
// the Win32 adapters check them against the real headers at compile time.

namespace brontavel::msg {

inline constexpr unsigned kNull = 0x0000;         // WM_NULL
inline constexpr unsigned kCreate = 0x0001;       // WM_CREATE
inline constexpr unsigned kClose = 0x0010;        // WM_CLOSE
inline constexpr unsigned kKeyDown = 0x0100;      // WM_KEYDOWN
inline constexpr unsigned kKeyUp = 0x0101;        // WM_KEYUP
inline constexpr unsigned kInitDialog = 0x0110;   // WM_INITDIALOG
inline constexpr unsigned kCommand = 0x0111;      // WM_COMMAND
inline constexpr unsigned kJoy1Move = 0x03A0;     // MM_JOY1MOVE
inline constexpr unsigned kJoy1ButtonDown = 0x03B5;  // MM_JOY1BUTTONDOWN
inline constexpr unsigned kJoy1ButtonUp = 0x03B7;    // MM_JOY1BUTTONUP

}  // namespace brontavel::msg

namespace brontavel::vk {

inline constexpr unsigned kReturn = 0x0D;
inline constexpr unsigned kControl = 0x11;
inline constexpr unsigned kSpace = 0x20;
inline constexpr unsigned kPrior = 0x21;
inline constexpr unsigned kNext = 0x22;
inline constexpr unsigned kEnd = 0x23;
inline constexpr unsigned kHome = 0x24;
inline constexpr unsigned kLeft = 0x25;
inline constexpr unsigned kUp = 0x26;
inline constexpr unsigned kRight = 0x27;
inline constexpr unsigned kDown = 0x28;
inline constexpr unsigned kDelete = 0x2E;

}  // namespace brontavel::vk

namespace brontavel::sound {

inline constexpr unsigned kExclamation = 0x30;  // MB_ICONEXCLAMATION

}  // namespace brontavel::sound
