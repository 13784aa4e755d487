#pragma once

#include <windows.h>

namespace brontavel {

// A function looked up by name at run time, null where this Windows lacks it: the i686 program
// imports nothing that Windows 95 lacks, and anything newer is used only where it is there.
template <typename Function>
Function RunTimeFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The same, from a DLL the program already imports (kernel32.dll, shell32.dll, comdlg32.dll).
template <typename Function>
Function RunTimeFunction(const char* dll, const char* name) {
  return RunTimeFunction<Function>(GetModuleHandleA(dll), name);
}

}  // namespace brontavel
