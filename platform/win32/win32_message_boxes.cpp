#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

namespace brontavel {

void Win32MessageBoxes::Show(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK | MB_APPLMODAL);
}

}  // namespace brontavel
