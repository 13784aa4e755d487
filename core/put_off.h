#pragma once

namespace brontavel {

// Some pads report every few milliseconds whether anything changed or not. While reads find nothing new
// for the gestures, the next is put off 20 ms, and after two such reads 40 ms, never longer: such a pad
// is read at most 25 times a second (under 1 % of a core), and its first real change is seen at most
// 40 ms late, those after it at once. What it reported meanwhile is buffered, so no press is lost.
inline constexpr unsigned kQuietMs = 20, kQuietReadsCounted = 2;

constexpr unsigned QuietReadsAfter(unsigned quietReads, bool nothingNew) {
  return !nothingNew ? 0 : quietReads < kQuietReadsCounted ? quietReads + 1 : quietReads;
}
constexpr unsigned PutOffMs(unsigned quietReads) { return quietReads * kQuietMs; }

}  // namespace brontavel
