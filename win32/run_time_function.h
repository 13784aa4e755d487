#pragma once

#include <windows.h>

#include <string>

namespace brontavel {

// A function looked up by name at run time, null where this Windows lacks it: the i686 program
// imports nothing that Windows 95 lacks, and anything newer is used only where it is there.
template <typename Function>
Function RunTimeFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A DLL of Windows' own, by its full path in the system folder: one that is not among Windows' known
// DLLs would otherwise be looked for in the program's own folder first, where anything a browser
// downloaded may lie beside the program. Null where it is not there.
inline HMODULE LoadFromSystemFolder(const char* dll) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder) + "\\" + dll).c_str());
}

// The same, from a DLL the program already imports (kernel32.dll, shell32.dll, comdlg32.dll).
template <typename Function>
Function RunTimeFunction(const char* dll, const char* name) {
  return RunTimeFunction<Function>(GetModuleHandleA(dll), name);
}

}  // namespace brontavel
