#pragma once

#include <cstddef>
#include <cstdint>

namespace brontavel {

// Programs are told apart by a hash of their folded (A to Z lowercased) full path or file name: the
// game list and PauseFor are kept so, in no more room than a few hundred numbers and with no
// allocation. Windows keeps a file's name as it was made, so the list and the program in front spell
// it alike in any other letter.
std::uint32_t PathHash(const wchar_t* path, std::size_t length);
std::uint32_t FileNameHash(const wchar_t* path, std::size_t length);  // of what follows the last \ or /

// What PauseFor names: the programs a user drives with the pad, such as a game library's full-screen
// mode, by their file names, separated by ';'. Spaces around a name and empty entries are ignored, a
// path counts by its file name, and only the first 1,000 characters (and 32 names) are read.
inline constexpr std::size_t kPauseForRead = 1000;
struct ProgramNames {
  static constexpr std::size_t kMax = 32;
  std::uint32_t hashes[kMax] = {};
  std::size_t count = 0;
  bool Has(std::uint32_t hash) const {
    for (std::size_t i = 0; i < count; ++i)
      if (hashes[i] == hash) return true;
    return false;
  }
};
ProgramNames ProgramsNamed(const wchar_t* pauseFor, std::size_t length);

}  // namespace brontavel
