#pragma once

#include <windows.h>

#include "platform/dialog_controls.h"

namespace brontavel {

// The controls of an open dialog, through USER32 and COMDLG32.
class Win32DialogControls final : public DialogControls {
 public:
  explicit Win32DialogControls(HWND dialog) : dialog_(dialog) {}

  void SetItemText(int id, const char* text) override;
  void GetItemText(int id, char* buffer, int size) override;
  void AddListItem(int id, const char* text) override;
  void SelectListItem(int id, int index) override;
  int ListSelection(int id) override;
  void End(int result) override;
  bool ChooseFile(char* buffer, int size) override;

 private:
  HWND dialog_;
};

// Puts a dialog in the middle of the screen's work area: the control window that owns it is hidden,
// so a dialog placed relative to it would appear in a corner.
void CenterOnWorkArea(HWND dialog);

}  // namespace brontavel
