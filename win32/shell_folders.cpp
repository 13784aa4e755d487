#include "win32/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

namespace brontavel {

std::string ShellFolderPath(int csidl) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) return std::string();
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(list, path)) path[0] = '\0';
  IMalloc* shellMemory = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellMemory))) {
    shellMemory->Free(list);
    shellMemory->Release();
  }
  return path;
}

}  // namespace brontavel
