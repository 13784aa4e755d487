#pragma once

#include <string>

#include "platform/profile_store.h"

namespace brontavel {

// Windows' private-profile functions, rebuilt over real files for hosts without them. It reads and
// writes the way Windows does, point by point:
// - lines, key names and values are trimmed of white space; a line "[name]" opens a section whose
//   name is everything between the '[' and the last ']';
// - section and key names match without regard to case, and the first matching section and key win
//   (a key in a later section of the same name is never seen);
// - a line without '=' is not a value: reading it gives the default;
// - text reads strip one pair of matching quotes and cut to size - 1 characters;
// - integer reads look at the first 29 characters, take an optional sign, then digits (decimal, or
//   binary, octal or hexadecimal after "0b", "0o" or "0x"), stop at the first other character and
//   keep the low 32 bits;
// - writes replace a key in place, add a new key after the last line of its section and a new
//   section at the end of the file, keep every other line, comments included, and create the file
//   when it is missing. A read-only file is not written, even by a user who could.
class IniProfileStore final : public ProfileStore {
 public:
  // The program names its file as a Windows path ("<directory>\Brontavel.ini"); this is the one place
  // where such a name becomes a host path.
  static std::string HostPath(const char* path);

  std::int32_t ReadInt(const char* section, const char* key, std::int32_t defaultValue, const char* path) override;
  int ReadText(const char* section, const char* key, const char* defaultValue, char* buffer, int size,
               const char* path) override;
  bool WriteText(const char* section, const char* key, const char* value, const char* path) override;
};

// The integer an INI value stands for, as the profile functions read it (see above).
std::uint32_t ParseProfileInteger(const char* text);

}  // namespace brontavel
