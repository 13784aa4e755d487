#include "win32/dialogs.h"

#include "res/resource_ids.h"
#include "win32/app.h"

namespace brontavel {
namespace {

void CenterOnWorkArea(HWND dialog) {
  RECT area, window;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(dialog, &window)) return;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Any command (OK, Enter, Escape, the close box) closes the About box.
INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (!DialogApp(dialog, message, lParam)) return FALSE;
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) EndDialog(dialog, 0);
  return FALSE;
}

}  // namespace

void ShowMessage(const char* text, const char* caption, HWND owner) {
  MessageBoxA(owner, text, caption, MB_OK | MB_APPLMODAL);
}

void ShowModalDialog(App& app, int id, DLGPROC procedure) {
  DialogBoxParamA(app.instance, MAKEINTRESOURCEA(id), app.window, procedure, reinterpret_cast<LPARAM>(&app));
}

App* DialogApp(HWND dialog, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    CenterOnWorkArea(dialog);
  }
  return reinterpret_cast<App*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ShowAboutDialog(App& app) { ShowModalDialog(app, IDD_ABOUT, &AboutProcedure); }

}  // namespace brontavel
