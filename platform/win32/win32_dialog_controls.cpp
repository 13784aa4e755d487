#include "platform/win32/win32_dialog_controls.h"

#include <commdlg.h>

namespace brontavel {

void Win32DialogControls::SetItemText(int id, const char* text) {
  SendDlgItemMessageA(dialog_, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Win32DialogControls::GetItemText(int id, char* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = '\0';
  GetDlgItemTextA(dialog_, id, buffer, size);
}

void Win32DialogControls::AddListItem(int id, const char* text) {
  // Inserting at -1 appends without sorting, whatever the list's style says.
  SendMessageA(GetDlgItem(dialog_, id), CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

void Win32DialogControls::SelectListItem(int id, int index) {
  SendMessageA(GetDlgItem(dialog_, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32DialogControls::ListSelection(int id) {
  const LRESULT index = SendMessageA(GetDlgItem(dialog_, id), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void Win32DialogControls::End(int result) { EndDialog(dialog_, result); }

bool Win32DialogControls::ChooseFile(char* buffer, int size) {
  OPENFILENAMEA chooser{};
  // The record as Windows 95 and NT 4 knew it (76 bytes on 32-bit Windows), so that every Windows
  // shows the same plain chooser.
  chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  chooser.hwndOwner = dialog_;
  chooser.lpstrFile = buffer;
  chooser.nMaxFile = static_cast<DWORD>(size);
  chooser.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  return GetOpenFileNameA(&chooser) != FALSE;
}

void CenterOnWorkArea(HWND dialog) {
  RECT area, window;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(dialog, &window)) return;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace brontavel
