#pragma once

#include "platform/modal_dialogs.h"
#include "platform/win32/win32_control_window.h"

namespace brontavel {

// The Options (106) and About (105) dialogs, run with DialogBoxParamA over the control window with
// the entry point's dialog procedures.
class Win32ModalDialogs final : public ModalDialogs {
 public:
  Win32ModalDialogs(const Win32ControlWindow& owner, DLGPROC optionsProcedure, DLGPROC aboutProcedure)
      : owner_(owner), optionsProcedure_(optionsProcedure), aboutProcedure_(aboutProcedure) {}

  void ShowOptions() override;
  void ShowAbout() override;

 private:
  const Win32ControlWindow& owner_;
  DLGPROC optionsProcedure_;
  DLGPROC aboutProcedure_;
};

}  // namespace brontavel
