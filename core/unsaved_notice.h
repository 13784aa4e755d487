#pragma once

#include <string>

namespace brontavel {

// The words of the notice that the settings file at path cannot be written, suggesting a folder the
// user can write to (none when suggested is empty). Where the folder's name cannot be handed to the
// ANSI functions at all (reachable is false: it has characters the code page lacks, and no short
// name), that is named as the reason, so the user moves to a folder whose name can be handed over,
// not merely to a writable one.
std::string UnsavedSettingsNotice(const std::string& path, bool reachable, std::string suggested);

}  // namespace brontavel
