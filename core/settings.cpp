#include "core/settings.h"

namespace brontavel {

void FormatDecimal(std::int32_t value, DecimalText& out, const char* prefix) {
  char* at = out;
  // One letter of prefix at most, so that the longest number still fits.
  if (*prefix != '\0') *at++ = *prefix;
  // Unsigned, so that the most negative number has a magnitude too.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) {
    *at++ = '-';
    magnitude = 0u - magnitude;
  }
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) *at++ = digits[--count];
  *at = '\0';
}

bool ParseRepeatMilliseconds(const char* text, std::int32_t& value) {
  const char* p = text;
  while (*p == ' ') ++p;
  std::int32_t total = 0;
  int digits = 0;
  for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
    total = total * 10 + (*p - '0');
    if (total > kMaxRepeatMs) return false;  // before it could grow past what an int holds
  }
  while (*p == ' ') ++p;
  if (digits == 0 || *p != '\0' || total < kMinRepeatMs) return false;
  value = total;
  return true;
}

bool PauseInFullScreenFromFile(const char* text) {
  if (*text == '\0') return true;
  for (; *text != '\0'; ++text) {
    if (*text != '0') return true;
  }
  return false;
}

bool HasEmptyClassName(const PlayerClassNameTable& names) {
  for (const WindowClassName& name : names)
    if (name[0] == '\0') return true;
  return false;
}

}  // namespace brontavel
