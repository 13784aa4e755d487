#pragma once

#include <cstddef>
#include <optional>

#include "core/pad_layout.h"

namespace brontavel {

// Which pad the program takes, best first: an Xbox pad that XInput serves, the one kind Windows lets a
// program in the notification area hear whatever window is in front; else joystick 1, the user's own
// whenever it answers; else the pad in use before the last one went (the same make and model), at
// whatever number it answers now; else any that answers.
enum class PadChoice : unsigned char { XInput, Joystick1, PadBeforeLoss, Any };

// A pad that answers now: an XInput slot (0..3) or a joystick number (0-based), and what it is.
struct PadCandidate {
  bool xinput = false;
  unsigned index = 0;
  PadModel model;
};

PadChoice ChoiceOf(const PadCandidate& pad, const std::optional<PadModel>& lostPad);

// The pad the rule takes among those that answer (in the order they were looked at: the lowest slot,
// then the lowest number, wins a tie); none when none answers.
std::optional<std::size_t> BestPad(const PadCandidate* pads, std::size_t count, const std::optional<PadModel>& lostPad);

// A better pad answers while another is in use: it is taken at once when the one in use is at rest
// (nothing held, so no gesture is cut short or run twice), otherwise at the first reading that finds
// it at rest.
enum class BetterPad { None, TakeNow, TakeAtRest };
inline BetterPad WhenToTake(PadChoice better, PadChoice inUse, bool inUseAtRest) {
  if (better >= inUse) return BetterPad::None;
  return inUseAtRest ? BetterPad::TakeNow : BetterPad::TakeAtRest;
}

}  // namespace brontavel
