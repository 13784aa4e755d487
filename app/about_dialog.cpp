#include "app/about_dialog.h"

#include "platform/message_numbers.h"

namespace brontavel {

bool AboutDialogProcedure(DialogControls& dialog, unsigned message) {
  if (message == msg::kInitDialog) return true;
  if (message == msg::kCommand) dialog.End(0);
  return false;
}

}  // namespace brontavel
