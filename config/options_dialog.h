#pragma once

#include <cstdint>

#include "config/settings.h"
#include "platform/dialog_controls.h"
#include "platform/profile_store.h"
#include "platform/working_directory.h"

namespace brontavel {

// What the Options dialog edits: the settings in memory and, at the same moment, the settings file.
struct OptionsDialogContext {
  Settings& settings;
  ProfileStore& store;
  WorkingDirectory& directory;
};

// The Options dialog's procedure. It keeps no state between messages: what it shows lives in its
// controls, what it changes goes straight to the settings and the file. A binding is stored when the
// user presses "&Set" (and, for a file command, a file is asked for); the repeat fields are stored as
// typed when the dialog closes. Enter and Escape never close it. Returns what a Windows dialog
// procedure returns: true only for WM_INITDIALOG.
bool OptionsDialogProcedure(DialogControls& dialog, const OptionsDialogContext& context, unsigned message,
                            std::uintptr_t wParam, std::intptr_t lParam);

// The value of a typed number: leading white space, an optional sign, then decimal digits up to the
// first other character; no digits give 0. Wraps around modulo 2^32 like a 32-bit counter.
std::int32_t ParseTypedNumber(const char* text);

}  // namespace brontavel
