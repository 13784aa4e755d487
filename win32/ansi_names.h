#pragma once

#include <string>

#include "core/unsaved_notice.h"  // IsReachableAnsiPath

namespace brontavel {

// The program reads and writes its settings, finds Winamp.Lnk and makes its Startup shortcut through
// Windows' ANSI functions, which take text in the system's code page. A folder named in another
// script (a Cyrillic or Chinese user name on a Western Windows, an emoji) has no such text: its ANSI
// form has '?' in place of those characters and names nothing. The names below are asked for in
// wide characters and handed over as the code page can write them, or else in their short (8.3)
// form, which Windows gives in ASCII and which names the same folder or file. Where there is no short
// form (8.3 names can be turned off on a volume), or on Windows 95, 98 and ME, which have no wide
// functions, the ANSI form is what there is.

// Whether this Windows has the wide functions (the NT family); Windows 95, 98 and ME do not.
bool HasWideFunctions();

// A full path as the ANSI functions can take it.
std::string AnsiPath(const wchar_t* path);

// The process's current directory, however long.
std::string CurrentDirectory();

// This program's own file.
std::string ThisProgramPath();

// The same two in wide characters, however long; "" where Windows has no wide functions.
std::wstring WideCurrentDirectory();
std::wstring WideProgramPath();

// The short (8.3) form of a path in wide characters, or "" where there is none.
std::wstring WideShortPath(const std::wstring& path);

// Whether two names open the same file: the same volume and the same file on it, which neither
// short names nor case can hide. False where either cannot be opened (and on Windows 95, 98 and ME).
bool SameFile(const std::string& ansi, const std::wstring& wide);
bool SameFile(const std::wstring& a, const std::wstring& b);

// The process's current directory, put back when this goes, in wide characters where Windows has
// them: a folder with neither an ANSI nor a short name could not be named to set it back otherwise.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper();
  ~CurrentDirectoryKeeper();
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

 private:
  std::wstring wide_;
  std::string ansi_;
};

}  // namespace brontavel
