#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <optional>
#include <string>

namespace brontavel {

// The program keeps its settings, finds Winamp.Lnk and makes its Startup shortcut through Windows'
// ANSI functions, which take text in the code page. A folder named in another script (a Cyrillic user
// name on a Western Windows) has no such text: its name is asked for in wide characters and handed
// over as the code page writes it, or else by its short (8.3) name, in ASCII. Where there is neither,
// the name cannot be had. Windows 95, 98 and ME have no wide functions, only ANSI names.

// The wide functions the program uses, looked up once; all null on Windows 95, 98 and ME.
struct WideFunctions {
  DWORD(WINAPI* getCurrentDirectory)(DWORD, wchar_t*) = nullptr;
  BOOL(WINAPI* setCurrentDirectory)(const wchar_t*) = nullptr;
  DWORD(WINAPI* getModuleFileName)(HMODULE, wchar_t*, DWORD) = nullptr;
  DWORD(WINAPI* getShortPathName)(const wchar_t*, wchar_t*, DWORD) = nullptr;
  HANDLE(WINAPI* createFile)(const wchar_t*, DWORD, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE) = nullptr;
  BOOL(WINAPI* getOpenFileName)(OPENFILENAMEW*) = nullptr;
  BOOL(WINAPI* getPathFromIdList)(const ITEMIDLIST*, wchar_t*) = nullptr;
};
const WideFunctions& Wide();

// A full path as the ANSI functions can take it: shortened where a folder's or the file's own name is
// replaced by its short name.
struct AnsiPathName {
  std::string text;
  bool shortened = false;
};
std::optional<AnsiPathName> AnsiPath(const std::wstring& path);

// A name as the code page writes it, '?' for what it cannot: to show the user, never to open.
std::string ShownName(const std::wstring& name);

// The process's current directory and this program's own file, however long, for the ANSI functions.
std::optional<std::string> CurrentDirectory();
std::optional<std::string> ThisProgramPath();

// The same two in wide characters, however long; "" where Windows has no wide functions.
std::wstring WideCurrentDirectory();
std::wstring WideProgramPath();

// The short (8.3) form of a path in wide characters, or "" where there is none.
std::wstring WideShortPath(const std::wstring& path);

// Whether two names open the same file: the same volume and the same file on it, which neither short
// names nor case can hide. False where either cannot be opened (and on Windows 95, 98 and ME).
bool SameFile(const std::string& ansi, const std::wstring& wide);
bool SameFile(const std::wstring& a, const std::wstring& b);

// The process's current directory, put back when this goes, in wide characters where Windows has
// them: a folder with neither an ANSI nor a short name could not be named to set it back otherwise.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper() : wide_(WideCurrentDirectory()), ansi_(wide_.empty() ? CurrentDirectory() : std::nullopt) {}
  ~CurrentDirectoryKeeper();
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

 private:
  std::wstring wide_;
  std::optional<std::string> ansi_;
};

}  // namespace brontavel
