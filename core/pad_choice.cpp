#include "core/pad_choice.h"

namespace brontavel {

PadChoice ChoiceOf(const PadCandidate& pad, const std::optional<PadModel>& lostPad) {
  if (pad.xinput) return PadChoice::XInput;
  if (pad.index == 0) return PadChoice::Joystick1;
  const bool sameModel = lostPad && lostPad->vendor == pad.model.vendor && lostPad->product == pad.model.product;
  return sameModel ? PadChoice::PadBeforeLoss : PadChoice::Any;
}

std::optional<std::size_t> BestPad(const PadCandidate* pads, std::size_t count, const std::optional<PadModel>& lostPad) {
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < count; ++i)
    if (!best || ChoiceOf(pads[i], lostPad) < ChoiceOf(pads[*best], lostPad)) best = i;
  return best;
}

}  // namespace brontavel
