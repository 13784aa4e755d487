#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_controls.h"

namespace brontavel {

// An open dialog in memory: control texts, drop-down lists with their selection, and a file chooser
// whose answer the test decides. Lists behave as Windows' combo boxes do: selecting -1 or an index
// past the end leaves nothing selected.
class SimulatedDialog final : public DialogControls {
 public:
  void SetItemText(int id, const char* text) override { texts[id] = text; }
  void GetItemText(int id, char* buffer, int size) override;
  void AddListItem(int id, const char* text) override { lists[id].push_back(text); }
  void SelectListItem(int id, int index) override;
  int ListSelection(int id) override;
  void End(int result) override { endedWith = result; }
  bool ChooseFile(char* buffer, int size) override;

  std::map<int, std::string> texts;
  std::map<int, std::vector<std::string>> lists;
  std::map<int, int> selections;
  std::optional<int> endedWith;

  // The chooser: what it was shown, and what the user does in it.
  std::vector<std::string> chooserOpenedWith;
  std::optional<std::string> chooserPicks;  // nullopt: the user cancels
  std::function<void()> whileChooserOpen;   // e.g. the user browsing to another folder
};

}  // namespace brontavel
