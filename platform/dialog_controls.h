#pragma once

namespace brontavel {

// The controls of one open dialog, by id, as its dialog procedure uses them.
//
// Contract:
// - SetItemText / GetItemText: a control's text; GetItemText copies at most size - 1 characters and
//   a terminating zero.
// - AddListItem: appends an item at the end of a drop-down list (never sorted in).
// - SelectListItem: selects item index of a list; -1 (or an index past the end) selects nothing.
// - ListSelection: the index of the selected item of a list, -1 when nothing is selected.
// - End: closes the dialog with a result once its procedure returns.
// - ChooseFile: lets the user pick an existing file in a file chooser owned by the dialog; on true,
//   buffer holds its full path. The chooser may change the current directory.
class DialogControls {
 public:
  virtual ~DialogControls() = default;

  virtual void SetItemText(int id, const char* text) = 0;
  virtual void GetItemText(int id, char* buffer, int size) = 0;
  virtual void AddListItem(int id, const char* text) = 0;
  virtual void SelectListItem(int id, int index) = 0;
  virtual int ListSelection(int id) = 0;
  virtual void End(int result) = 0;
  virtual bool ChooseFile(char* buffer, int size) = 0;
};

}  // namespace brontavel
