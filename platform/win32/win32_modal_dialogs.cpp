#include "platform/win32/win32_modal_dialogs.h"

#include "res/resource_ids.h"

namespace brontavel {

void Win32ModalDialogs::ShowOptions() {
  DialogBoxParamA(owner_.instance(), MAKEINTRESOURCEA(IDD_OPTIONS), owner_.hwnd(), optionsProcedure_, 0);
}

void Win32ModalDialogs::ShowAbout() {
  DialogBoxParamA(owner_.instance(), MAKEINTRESOURCEA(IDD_ABOUT), owner_.hwnd(), aboutProcedure_, 0);
}

}  // namespace brontavel
