#include "platform/host/simulated_dialog.h"

#include <algorithm>
#include <cstring>

namespace brontavel {
namespace {

void CopyCut(const std::string& text, char* buffer, int size) {
  if (size <= 0) return;
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
}

}  // namespace

void SimulatedDialog::GetItemText(int id, char* buffer, int size) { CopyCut(texts[id], buffer, size); }

void SimulatedDialog::SelectListItem(int id, int index) {
  const int count = static_cast<int>(lists[id].size());
  selections[id] = index >= 0 && index < count ? index : -1;
}

int SimulatedDialog::ListSelection(int id) {
  auto found = selections.find(id);
  return found == selections.end() ? -1 : found->second;
}

bool SimulatedDialog::ChooseFile(char* buffer, int size) {
  chooserOpenedWith.emplace_back(buffer);
  if (whileChooserOpen) whileChooserOpen();
  if (!chooserPicks) return false;
  CopyCut(*chooserPicks, buffer, size);
  return true;
}

}  // namespace brontavel
