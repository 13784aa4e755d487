#pragma once

namespace brontavel {

// True when the command line holds the switch as one of its words (separated by blanks, quotes
// around a word ignored), in any mix of upper and lower case.
bool HasSwitch(const char* commandLine, const char* name);

}  // namespace brontavel
