#include "config/decimal_text.h"

namespace brontavel {

void FormatDecimal(std::int32_t value, char* out, const char* prefix) {
  while (*prefix != '\0') *out++ = *prefix++;
  // Unsigned, so that the most negative number has a magnitude too.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) {
    *out++ = '-';
    magnitude = 0u - magnitude;
  }
  char digits[kDecimalTextSize];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) *out++ = digits[--count];
  *out = '\0';
}

}  // namespace brontavel
