#pragma once

#include <cstdint>

namespace brontavel {

// Room for any 32-bit number's decimal text, its sign and a terminating zero.
inline constexpr int kDecimalTextSize = 12;

// Writes value as printf's "%d" would (a minus sign, then the digits, no padding), after prefix.
// Used instead of printf, whose implementation would be most of the Windows program's size.
void FormatDecimal(std::int32_t value, char* out, const char* prefix = "");

}  // namespace brontavel
