#pragma once

#include <string>
#include <vector>

#include "platform/profile_store.h"
#include "platform/ini_behaviour_table.h"

namespace brontavel::ini_cases {

// Runs one case against store. profilePath is the name the store is given; nativePath is the same
// file as this process opens it, for setting it up and looking at its lines. Returns one line per
// step that did not turn out as expected.
std::vector<std::string> Run(const Case& c, ProfileStore& store, const std::string& profilePath,
                             const std::string& nativePath);

}  // namespace brontavel::ini_cases
