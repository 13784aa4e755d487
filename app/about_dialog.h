#pragma once

#include "platform/dialog_controls.h"

namespace brontavel {

// The About box's procedure: any command (OK, Enter, Escape, the close box) closes it.
bool AboutDialogProcedure(DialogControls& dialog, unsigned message);

}  // namespace brontavel
