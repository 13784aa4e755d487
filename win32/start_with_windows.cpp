#include "win32/start_with_windows.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "win32/ansi_names.h"
#include "win32/dialogs.h"
#include "win32/shell_folders.h"

namespace brontavel {
namespace {

constexpr const char* kCaption = "Start with Windows";
constexpr const char* kShortcutName = "\\Brontavel.lnk";

std::wstring Widened(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                                           static_cast<int>(wide.size()))));
  return wide;
}

// The same file named two ways (Windows 95, 98 and ME): a program started by its short 8.3 name
// knows itself by that name.
bool SamePath(const std::string& a, const std::string& b) {
  if (lstrcmpiA(a.c_str(), b.c_str()) == 0) return true;
  char shortA[MAX_PATH], shortB[MAX_PATH];
  return GetShortPathNameA(a.c_str(), shortA, MAX_PATH) && GetShortPathNameA(b.c_str(), shortB, MAX_PATH) &&
         lstrcmpiA(shortA, shortB) == 0;
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
    // The wide interface reads a target in any script. Wide or ANSI is decided here, once, for reading
    // and writing alike: Windows 95's shell has only the ANSI interface, and the shell of 98 and ME
    // answers for the wide one too, where the program's own wide name is there to compare with.
    if (link_ && !WideProgramPath().empty() &&
        FAILED(link_->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&wideLink_))))
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

  // Whether a shortcut file would start this program. Read in wide characters where Windows has
  // them, and judged by the file its target opens, which neither short names nor case can hide.
  bool StartsThisProgram(const std::string& shortcut) {
    if (!file_ || FAILED(file_->Load(Widened(shortcut).c_str(), STGM_READ))) return false;
    if (wideLink_) {
      wchar_t target[MAX_PATH] = {};
      return SUCCEEDED(wideLink_->GetPath(target, MAX_PATH, nullptr, 0)) && SameFile(target, WideProgramPath());
    }
    char target[MAX_PATH] = {};
    const std::optional<std::string> self = ThisProgramPath();
    return self && SUCCEEDED(link_->GetPath(target, MAX_PATH, nullptr, 0)) && SamePath(target, *self);
  }

  // Whether the shortcut just loaded starts its program in folder (where its settings are).
  bool WorksIn(const std::wstring& folder) {
    wchar_t workingFolder[1024] = {};
    return SUCCEEDED(wideLink_->GetWorkingDirectory(workingFolder, 1024)) && SameFile(workingFolder, folder);
  }

  // A shortcut that starts this program, with the switch, in folder: written in wide characters with
  // the program's real path and folder where Windows has them (an ANSI name of a folder in another
  // script is a short name that changes when the folder is copied or restored, or one full of '?').
  // It is read back: a shell that keeps a target only in its code page (Wine's does) gets the
  // program's short names instead, which it can keep. True once the shortcut would start this program.
  bool Save(const std::string& shortcut, const std::wstring& wideFolder, const std::string& folder) {
    if (!file_) return false;
    const std::wstring program = WideProgramPath();
    if (!wideLink_ || wideFolder.empty()) {
      const std::optional<std::string> self = ThisProgramPath();
      return self && SUCCEEDED(link_->SetPath(self->c_str())) && SUCCEEDED(link_->SetArguments(kAtLogonSwitch)) &&
             SUCCEEDED(link_->SetWorkingDirectory(folder.c_str())) &&
             SUCCEEDED(file_->Save(Widened(shortcut).c_str(), TRUE));
    }
    // A shortcut holds names of up to MAX_PATH characters; a longer one goes in by its short form.
    const auto fitting = [](const std::wstring& path) { return path.size() < MAX_PATH ? path : WideShortPath(path); };
    const std::pair<std::wstring, std::wstring> attempts[] = {{fitting(program), fitting(wideFolder)},
                                                               {WideShortPath(program), WideShortPath(wideFolder)}};
    for (const auto& [target, workingFolder] : attempts) {
      if (target.empty() || workingFolder.empty() || FAILED(wideLink_->SetPath(target.c_str())) ||
          FAILED(wideLink_->SetArguments(Widened(kAtLogonSwitch).c_str())) ||
          FAILED(wideLink_->SetWorkingDirectory(workingFolder.c_str())) ||
          FAILED(file_->Save(Widened(shortcut).c_str(), TRUE)))
        continue;
      if (StartsThisProgram(shortcut) && WorksIn(wideFolder)) return true;
    }
    // A shortcut that would start nothing must not stay behind, looking as if it worked.
    DeleteFileA(shortcut.c_str());
    return false;
  }

 private:
  bool comStarted_ = false;
  IShellLinkA* link_ = nullptr;
  IShellLinkW* wideLink_ = nullptr;
  IPersistFile* file_ = nullptr;
};

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shortcuts in the Startup folder that start this exe.
std::vector<std::string> OurStartupShortcuts(const std::string& startup) {
  std::vector<std::string> ours;
  if (startup.empty()) return ours;
  ShellLink link;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((startup + "\\*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return ours;
  do {
    const std::string shortcut = startup + "\\" + found.cFileName;
    if (link.StartsThisProgram(shortcut)) ours.push_back(shortcut);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return ours;
}

// Windows 8 and later let the user turn a Startup shortcut off (Task Manager's Startup tab; Settings,
// Apps, Startup) and leave the shortcut where it is: under this key, a REG_BINARY value named for the
// shortcut's file holds twelve bytes, a DWORD of flags whose lowest bit means turned off (Windows writes
// 02 or 06 for on, 03 or 07 for off) and the FILETIME it was turned off. No value means never turned
// off. A value of another type or length is not one Windows wrote, and does not turn anything off.
constexpr const char* kStartupApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
constexpr DWORD kApprovalSize = 12;
constexpr BYTE kTurnedOff = 0x01;

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// The shortcut's twelve bytes where Windows has turned it off; false for anything else.
bool TurnedOffInWindows(HKEY key, const std::string& name, BYTE (&approval)[kApprovalSize]) {
  DWORD type = 0, size = kApprovalSize;
  return RegQueryValueExA(key, name.c_str(), nullptr, &type, approval, &size) == ERROR_SUCCESS &&
         type == REG_BINARY && size == kApprovalSize && (approval[0] & kTurnedOff);
}

bool TurnedOffInWindows(const std::string& shortcut) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kStartupApprovedKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  BYTE approval[kApprovalSize];
  const bool off = TurnedOffInWindows(key, FileName(shortcut), approval);
  RegCloseKey(key);
  return off;
}

// Turns the shortcut on again in Windows' list, as its own switch does: the flag cleared, the time
// gone, the other flags kept. True when Windows will start it.
bool TurnOnInWindows(const std::string& shortcut) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kStartupApprovedKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return !TurnedOffInWindows(shortcut);
  const std::string name = FileName(shortcut);
  BYTE approval[kApprovalSize];
  bool on = true;
  if (TurnedOffInWindows(key, name, approval)) {
    approval[0] = static_cast<BYTE>(approval[0] & ~kTurnedOff);
    for (DWORD i = 4; i < kApprovalSize; ++i) approval[i] = 0;
    on = RegSetValueExA(key, name.c_str(), 0, REG_BINARY, approval, kApprovalSize) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return on;
}

void Report(const std::string& what, const std::string& startup) {
  const std::string text = what + " the Startup folder" + (startup.empty() ? std::string() : " " + startup) +
                           ": the folder is missing or cannot be written.";
  ShowMessage(text.c_str(), kCaption);
}

}  // namespace

bool StartsWithWindows() {
  for (const std::string& shortcut : OurStartupShortcuts(ShellFolderPath(CSIDL_STARTUP)))
    if (!TurnedOffInWindows(shortcut)) return true;
  return false;
}

void SetStartWithWindows(bool on, const std::wstring& wideFolder, const std::string& folder) {
  const std::string startup = ShellFolderPath(CSIDL_STARTUP);
  if (on) {
    if (!IsFolder(startup) || !ShellLink().Save(startup + kShortcutName, wideFolder, folder))
      Report("Brontavel could not add its shortcut to", startup);
    else if (!TurnOnInWindows(startup + kShortcutName))
      ShowMessage("Brontavel could not turn its shortcut on in Windows' list of startup apps. Turn it on in Task "
                  "Manager's Startup tab.", kCaption);
    return;
  }
  bool removed = true;
  for (const std::string& shortcut : OurStartupShortcuts(startup)) removed = DeleteFileA(shortcut.c_str()) && removed;
  if (!removed) Report("Brontavel could not remove its shortcut from", startup);
}

}  // namespace brontavel
