#include "core/game_rule.h"

namespace brontavel {
namespace {

constexpr bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t'; }
constexpr bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

// FNV-1a over the folded code units.
std::uint32_t PathHash(const wchar_t* path, std::size_t length) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < length; ++i) {
    const wchar_t c = path[i] >= L'A' && path[i] <= L'Z' ? static_cast<wchar_t>(path[i] - L'A' + L'a') : path[i];
    hash = (hash ^ static_cast<std::uint32_t>(c)) * 16777619u;
  }
  return hash;
}

std::uint32_t FileNameHash(const wchar_t* path, std::size_t length) {
  std::size_t start = length;
  while (start > 0 && !IsSlash(path[start - 1])) --start;
  return PathHash(path + start, length - start);
}

ProgramNames ProgramsNamed(const wchar_t* pauseFor, std::size_t length) {
  ProgramNames names;
  if (length > kPauseForRead) length = kPauseForRead;
  for (std::size_t start = 0; start <= length && names.count < ProgramNames::kMax;) {
    std::size_t end = start;
    while (end < length && pauseFor[end] != L';') ++end;
    std::size_t first = start, last = end;
    while (first < last && IsSpace(pauseFor[first])) ++first;
    while (last > first && IsSpace(pauseFor[last - 1])) --last;
    // A folder names no program.
    if (last > first && !IsSlash(pauseFor[last - 1])) names.hashes[names.count++] = FileNameHash(pauseFor + first, last - first);
    start = end + 1;
  }
  return names;
}

}  // namespace brontavel
