#pragma once

#include <string>

namespace brontavel {

// Whether the ANSI functions can reach a path of this text: it has no '?', which no file name may
// hold and which the code page puts in place of the characters it cannot write.
inline bool IsReachableAnsiPath(const std::string& path) { return path.find('?') == std::string::npos; }

// The words of the notice that the settings file at path cannot be written, suggesting a folder the
// user can write to (none when suggested is empty, or unreachable itself). A folder whose name this
// Windows cannot hand over (no ANSI and no short name: path holds '?') is named as the reason, so the
// user moves to a folder whose name can be handed over, not merely to a writable one.
std::string UnsavedSettingsNotice(const std::string& path, std::string suggested);

}  // namespace brontavel
