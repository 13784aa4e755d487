#pragma once

#include <cstdint>

namespace brontavel {

// The settings file, reached only as Windows' private-profile (INI) functions reach it. The file is
// named on every call; it need not exist.
//
// Contract, which every implementation keeps:
// - ReadInt: the integer value of the key: an optional sign and decimal digits, up to the first other
//   character, kept to the low 32 bits; 0 for a value that is not a number. defaultValue when the
//   file, the section or the key is missing, or when the value is empty.
// - ReadText: the key's text, cut to size - 1 characters and zero-terminated (nothing is written when
//   size is 0); a value in matching quotes loses them. defaultValue only when the key does not exist:
//   "key=" with nothing after it reads as an empty text. Returns the number of characters copied.
// - WriteText: creates the file, the section and the key as needed, or replaces the key's value;
//   every other line stays. False when the file cannot be written.
// Section and key names match without regard to case; the first matching section and key win.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  virtual std::int32_t ReadInt(const char* section, const char* key, std::int32_t defaultValue,
                               const char* path) = 0;
  virtual int ReadText(const char* section, const char* key, const char* defaultValue, char* buffer, int size,
                       const char* path) = 0;
  virtual bool WriteText(const char* section, const char* key, const char* value, const char* path) = 0;
};

}  // namespace brontavel
