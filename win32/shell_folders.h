#pragma once

#include <string>

namespace brontavel {

// The path of one of the user's shell folders (a CSIDL_ value), or "" when Windows has none or its
// name cannot be handed to the ANSI functions. Asked in the way every Windows since 95 answers.
std::string ShellFolderPath(int csidl);

}  // namespace brontavel
