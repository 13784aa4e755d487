#include "core/pad_layout.h"

namespace brontavel {

PadLayout LayoutOf(const PadModel& model) {
  if (model.xboxDriver != XboxDriver::Unknown) return model.xboxDriver == XboxDriver::Yes ? PadLayout::Xbox : PadLayout::Other;
  return model.vendor == kMicrosoftVendor && model.buttonCount == 10 && model.hasZ ? PadLayout::Xbox : PadLayout::Other;
}

PadNames NamesOf(const PadModel& model) {
  if (LayoutOf(model) == PadLayout::Xbox) return PadNames::Xbox;
  if (model.vendor == kSonyVendor) return PadNames::PlayStation;
  if (model.vendor == kNintendoVendor) return PadNames::Switch;
  return PadNames::Numbered;
}

}  // namespace brontavel
