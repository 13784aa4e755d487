#include "core/command_line.h"

namespace brontavel {
namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool HasSwitch(const char* commandLine, const char* name) {
  const char* p = commandLine ? commandLine : "";
  while (*p != '\0') {
    while (IsBlank(*p)) ++p;
    const char* word = p;
    while (*p != '\0' && !IsBlank(*p)) ++p;
    const char* end = p;
    if (end - word >= 2 && *word == '"' && end[-1] == '"') ++word, --end;
    const char* n = name;
    while (word < end && *n != '\0' && Lower(*word) == Lower(*n)) ++word, ++n;
    if (word == end && *n == '\0') return true;
  }
  return false;
}

}  // namespace brontavel
