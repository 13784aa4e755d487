#include "win32/start_with_windows.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "win32/ansi_names.h"
#include "win32/dialogs.h"
#include "win32/shell_folders.h"

namespace brontavel {
namespace {

constexpr const char* kCaption = "Start with Windows";
constexpr const char* kShortcutName = "\\Brontavel.lnk";

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                                           static_cast<int>(wide.size()))));
  return wide;
}

// A shell link object for the time of one operation; COM is started and ended with it, as the
// program has no other use for COM.
class ShellLink {
 public:
  ShellLink() {
    comStarted_ = SUCCEEDED(CoInitialize(nullptr));
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link_))))
      link_ = nullptr;
    if (link_ && FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) file_ = nullptr;
    // The wide interface reads a target in any script; Windows 95's shell has only the ANSI one.
    if (link_ && FAILED(link_->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&wideLink_))))
      wideLink_ = nullptr;
  }
  ~ShellLink() {
    if (wideLink_) wideLink_->Release();
    if (file_) file_->Release();
    if (link_) link_->Release();
    if (comStarted_) CoUninitialize();
  }
  ShellLink(const ShellLink&) = delete;
  ShellLink& operator=(const ShellLink&) = delete;

  // The program a shortcut file starts, or "" when it cannot be read.
  std::string TargetOf(const std::string& shortcut) {
    if (!file_ || FAILED(file_->Load(Wide(shortcut).c_str(), STGM_READ))) return std::string();
    if (wideLink_) {
      wchar_t target[MAX_PATH] = {};
      return SUCCEEDED(wideLink_->GetPath(target, MAX_PATH, nullptr, 0)) ? AnsiPath(target) : std::string();
    }
    char target[MAX_PATH] = {};
    return SUCCEEDED(link_->GetPath(target, MAX_PATH, nullptr, 0)) ? std::string(target) : std::string();
  }

  bool Save(const std::string& shortcut, const std::string& target, const std::string& folder) {
    return file_ && SUCCEEDED(link_->SetPath(target.c_str())) && SUCCEEDED(link_->SetArguments(kAtLogonSwitch)) &&
           SUCCEEDED(link_->SetWorkingDirectory(folder.c_str())) &&
           SUCCEEDED(file_->Save(Wide(shortcut).c_str(), TRUE));
  }

 private:
  bool comStarted_ = false;
  IShellLinkA* link_ = nullptr;
  IShellLinkW* wideLink_ = nullptr;
  IPersistFile* file_ = nullptr;
};

// The same file named two ways: a program started by its short 8.3 name knows itself by that name.
bool SamePath(const std::string& a, const std::string& b) {
  if (lstrcmpiA(a.c_str(), b.c_str()) == 0) return true;
  char shortA[MAX_PATH], shortB[MAX_PATH];
  return GetShortPathNameA(a.c_str(), shortA, MAX_PATH) && GetShortPathNameA(b.c_str(), shortB, MAX_PATH) &&
         lstrcmpiA(shortA, shortB) == 0;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shortcuts in the Startup folder that start this exe.
std::vector<std::string> OurStartupShortcuts(const std::string& startup) {
  std::vector<std::string> ours;
  if (startup.empty()) return ours;
  const std::string program = ThisProgramPath();
  ShellLink link;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((startup + "\\*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return ours;
  do {
    const std::string shortcut = startup + "\\" + found.cFileName;
    if (SamePath(link.TargetOf(shortcut), program)) ours.push_back(shortcut);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return ours;
}

void Report(const std::string& what, const std::string& startup) {
  const std::string text = what + " the Startup folder" + (startup.empty() ? std::string() : " " + startup) +
                           ": the folder is missing or cannot be written.";
  ShowMessage(text.c_str(), kCaption);
}

}  // namespace

bool StartsWithWindows() { return !OurStartupShortcuts(ShellFolderPath(CSIDL_STARTUP)).empty(); }

void SetStartWithWindows(bool on, const std::string& folder) {
  const std::string startup = ShellFolderPath(CSIDL_STARTUP);
  if (on) {
    if (!IsFolder(startup) || !ShellLink().Save(startup + kShortcutName, ThisProgramPath(), folder))
      Report("Brontavel could not add its shortcut to", startup);
    return;
  }
  bool removed = true;
  for (const std::string& shortcut : OurStartupShortcuts(startup)) removed = DeleteFileA(shortcut.c_str()) && removed;
  if (!removed) Report("Brontavel could not remove its shortcut from", startup);
}

}  // namespace brontavel
