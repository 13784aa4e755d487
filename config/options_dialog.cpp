#include "config/options_dialog.h"

#include <string>

#include "config/decimal_text.h"
#include "config/settings_file.h"
#include "platform/message_numbers.h"
#include "res/resource_ids.h"

namespace brontavel {
namespace {

constexpr int kTextBufferSize = 200;
constexpr int kFieldTextSize = 100;  // the repeat fields are read to at most 99 characters

void ShowNumber(DialogControls& dialog, int id, std::int32_t value) {
  char text[kDecimalTextSize];
  FormatDecimal(value, text);
  dialog.SetItemText(id, text);
}

// A binding the catalogue does not know (a hand-edited file may hold one) selects nothing.
void ShowBinding(DialogControls& dialog, CommandId command) {
  dialog.SelectListItem(IDC_COMMAND_LIST, IsCommandId(command) ? command : -1);
}

bool IsEventIndex(int index) { return index >= 0 && index < kJoystickEventCount; }

void OnInit(DialogControls& dialog, const OptionsDialogContext& context) {
  ShowNumber(dialog, IDC_REPEAT_RATE, context.settings.RepeatRate);
  ShowNumber(dialog, IDC_REPEAT_DELAY, context.settings.RepeatDelay);
  for (int n = 1; n <= kJoystickEventCount; ++n) dialog.AddListItem(IDC_EVENT_LIST, JoystickEventLabel(n));
  for (CommandId id = 0; id < kCommandCount; ++id) dialog.AddListItem(IDC_COMMAND_LIST, CommandDisplayName(id));
  dialog.SelectListItem(IDC_EVENT_LIST, 0);
  ShowBinding(dialog, context.settings.EventAssignmentTable[1]);
}

// Whatever the event list reports (a new selection, opening, closing, focus), the command list goes
// back to the stored binding of the selected gesture.
void OnEventList(DialogControls& dialog, const OptionsDialogContext& context) {
  const int event = dialog.ListSelection(IDC_EVENT_LIST);
  if (IsEventIndex(event)) ShowBinding(dialog, context.settings.EventAssignmentTable[event + 1]);
}

void ChooseShortcutFile(DialogControls& dialog, const OptionsDialogContext& context, const std::string& path,
                        int shortcut) {
  char file[kTextBufferSize] = {};
  // The chooser may leave the current directory wherever the user browsed to, and the settings file
  // and the player's shortcut are found through it.
  const std::string saved = context.directory.Current();
  const bool chosen = dialog.ChooseFile(file, kTextBufferSize);
  context.directory.Change(saved);
  if (!chosen) return;
  char key[kKeyBufferSize];
  FormatShortcutKey(shortcut, key);
  context.store.WriteText(kShortcutsSection, key, file, path.c_str());
}

void OnSet(DialogControls& dialog, const OptionsDialogContext& context) {
  const int event = dialog.ListSelection(IDC_EVENT_LIST);
  const CommandId command = dialog.ListSelection(IDC_COMMAND_LIST);
  // With no command selected (a stored binding the catalogue does not know) there is nothing to store.
  if (!IsEventIndex(event) || !IsCommandId(command)) return;
  const std::string path = SettingsFilePath(context.directory);
  context.settings.EventAssignmentTable[event + 1] = command;
  char key[kKeyBufferSize];
  FormatBindingKey(event + 1, key);
  char value[kDecimalTextSize];
  FormatDecimal(command, value);
  context.store.WriteText(kOptionsSection, key, value, path.c_str());
  if (command >= kFirstShortcutCommand) ChooseShortcutFile(dialog, context, path, command - kFirstShortcutCommand + 1);
}

// The text goes to the file exactly as typed, even empty; the value in memory is its number.
void SaveRepeatField(DialogControls& dialog, const OptionsDialogContext& context, const std::string& path, int id,
                     const char* key, std::int32_t& value) {
  char text[kFieldTextSize] = {};
  dialog.GetItemText(id, text, kFieldTextSize);
  context.store.WriteText(kOptionsSection, key, text, path.c_str());
  value = ParseTypedNumber(text);
}

void OnClose(DialogControls& dialog, const OptionsDialogContext& context) {
  const std::string path = SettingsFilePath(context.directory);
  SaveRepeatField(dialog, context, path, IDC_REPEAT_RATE, kRepeatRateKey, context.settings.RepeatRate);
  SaveRepeatField(dialog, context, path, IDC_REPEAT_DELAY, kRepeatDelayKey, context.settings.RepeatDelay);
  dialog.End(0);
}

}  // namespace

std::int32_t ParseTypedNumber(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  std::uint32_t total = 0;  // unsigned, so that overflow wraps instead of being undefined
  for (; *p >= '0' && *p <= '9'; ++p) total = total * 10u + static_cast<std::uint32_t>(*p - '0');
  return static_cast<std::int32_t>(negative ? 0u - total : total);
}

bool OptionsDialogProcedure(DialogControls& dialog, const OptionsDialogContext& context, unsigned message,
                            std::uintptr_t wParam, std::intptr_t) {
  switch (message) {
    case msg::kInitDialog:
      OnInit(dialog, context);
      return true;  // Windows then puts the focus on the first field
    case msg::kCommand: {
      // The notification code in the high word is not looked at: every report of a control counts.
      const unsigned id = wParam & 0xFFFF;
      if (id == IDC_EVENT_LIST) OnEventList(dialog, context);
      if (id == IDC_SET) OnSet(dialog, context);
      return false;  // IDOK and IDCANCEL (Enter, Escape) fall through here and close nothing
    }
    case msg::kClose:
      OnClose(dialog, context);
      return false;
    default:
      return false;
  }
}

}  // namespace brontavel
