#include "win32/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "win32/ansi_names.h"

namespace brontavel {

std::string ShellFolderPath(int csidl) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) return std::string();
  // Asked in wide characters where the shell can answer so: a user name in another script would
  // otherwise come back as '?'. A folder whose name cannot be handed over is none.
  wchar_t wide[MAX_PATH] = {};
  std::string path;
  if (Wide().getPathFromIdList) {
    if (Wide().getPathFromIdList(list, wide)) path = AnsiPath(wide).value_or(AnsiPathName{}).text;
  } else {
    char ansi[MAX_PATH] = {};
    if (SHGetPathFromIDListA(list, ansi)) path = ansi;
  }
  IMalloc* shellMemory = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellMemory))) {
    shellMemory->Free(list);
    shellMemory->Release();
  }
  return path;
}

}  // namespace brontavel
