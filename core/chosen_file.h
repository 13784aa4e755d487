#pragma once

#include <optional>
#include <string>

namespace brontavel {

// A file the user chose for an "Execute/Open File n" command, as the chooser left it.
struct ChosenFile {
  enum Outcome { Chosen, Cancelled, Failed } outcome = Cancelled;
  // Chosen: the name the settings file would keep, none where this Windows cannot hand the name to
  // its ANSI functions at all.
  std::optional<std::string> name;
  // The name keeps a short (8.3) name in place of a folder's or the file's own, which the code page
  // cannot write.
  bool shortened = false;
  bool chooserBufferTooSmall = false;  // Failed: the path was too long for the chooser itself
};

// Why the chosen file cannot be kept so that it opens, in words a user can act on; null when it can.
// A short name is only as good as the file it opens: where the name was shortened, sameFile is asked
// whether the kept name opens the very file chosen. Elsewhere the name is the chosen one itself, and
// nothing is asked: shares that report no volume serial or file index would fail every such check.
template <typename SameFile>
const char* WhyNotKept(const ChosenFile& chosen, SameFile sameFile);

// The texts, for the template above.
namespace refusal {
inline constexpr const char* kTooLong =
    "The file's full name is too long for Brontavel: it keeps names of up to 199 characters, where a "
    "Chinese, Japanese or Korean character counts as two. Move the file to a folder with a shorter "
    "path, or choose another file.";
inline constexpr const char* kChooserFailed = "The file chooser could not be used. Try again.";
inline constexpr const char* kUnreachable =
    "The file's name, or a folder's name on its path, has characters that this Windows cannot hand to "
    "Brontavel, and Windows keeps no short name for it. Move the file to a folder whose names have only "
    "characters of this Windows' language, or choose another file.";
inline constexpr const char* kNotFoundAgain =
    "Brontavel could not find the file again by the name it would keep. Move the file to another "
    "folder, or choose another file.";
}  // namespace refusal

template <typename SameFile>
const char* WhyNotKept(const ChosenFile& chosen, SameFile sameFile) {
  constexpr std::size_t kLongestKept = 199;  // bytes of the code page, as the settings file keeps them
  if (chosen.outcome == ChosenFile::Failed)
    return chosen.chooserBufferTooSmall ? refusal::kTooLong : refusal::kChooserFailed;
  if (!chosen.name) return refusal::kUnreachable;
  if (chosen.name->size() > kLongestKept) return refusal::kTooLong;
  if (chosen.shortened && !sameFile()) return refusal::kNotFoundAgain;
  return nullptr;
}

}  // namespace brontavel
