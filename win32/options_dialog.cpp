#include "win32/options_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include "res/resource_ids.h"
#include "win32/app.h"
#include "win32/dialogs.h"
#include "win32/run_time_function.h"
#include "win32/settings_file.h"

namespace brontavel {
namespace {

constexpr int kFieldTextSize = 100;  // the repeat fields are read to at most 99 characters

LRESULT SendToList(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

int ListSelection(HWND dialog, int id) {
  const LRESULT index = SendToList(dialog, id, CB_GETCURSEL, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

// A binding the catalogue does not know (a hand-edited file may hold one) selects nothing.
void ShowBinding(HWND dialog, CommandId command) {
  SendToList(dialog, IDC_COMMAND_LIST, CB_SETCURSEL, static_cast<WPARAM>(IsCommandId(command) ? command : -1));
}

void ShowNumber(HWND dialog, int id, std::int32_t value) {
  DecimalText text;
  FormatDecimal(value, text);
  SetDlgItemTextA(dialog, id, text);
}

// Inserting at -1 appends without sorting, whatever the list's style says: the line of an item is
// its gesture or command number.
void AddListItem(HWND dialog, int id, const char* text) {
  SendToList(dialog, id, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

bool IsEventIndex(int index) { return index >= 0 && index < kJoystickEventCount; }

void OnInit(HWND dialog, const Settings& settings) {
  ShowNumber(dialog, IDC_REPEAT_RATE, settings.RepeatRate);
  ShowNumber(dialog, IDC_REPEAT_DELAY, settings.RepeatDelay);
  for (int n = 1; n <= kJoystickEventCount; ++n) AddListItem(dialog, IDC_EVENT_LIST, JoystickEventLabel(n));
  for (CommandId id = 0; id < kCommandCount; ++id) AddListItem(dialog, IDC_COMMAND_LIST, CommandDisplayName(id));
  SendToList(dialog, IDC_EVENT_LIST, CB_SETCURSEL, 0);
  ShowBinding(dialog, settings.EventAssignmentTable[1]);
}

// Whatever the event list reports (a new selection, opening, closing, focus), the command list goes
// back to the stored binding of the selected gesture.
void OnEventList(HWND dialog, const Settings& settings) {
  const int event = ListSelection(dialog, IDC_EVENT_LIST);
  if (IsEventIndex(event)) ShowBinding(dialog, settings.EventAssignmentTable[event + 1]);
}

// The record as Windows 95 and NT 4 knew it, so that every Windows shows the same plain chooser.
template <typename Record, typename Char>
bool AskForFile(BOOL(WINAPI* open)(Record*), DWORD recordSize, HWND owner, Char (&file)[kShortcutPathSize]) {
  Record chooser{};
  chooser.lStructSize = recordSize;
  chooser.hwndOwner = owner;
  chooser.lpstrFile = file;
  chooser.nMaxFile = kShortcutPathSize;
  chooser.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  return open(&chooser) != FALSE;
}

// The file the user picks, named as the settings file can hold it (see AnsiPath); "" when the user
// cancels. The wide chooser is looked up at run time, as Windows 95 has none.
std::string ChooseFile(HWND owner) {
  using GetOpenFileNameWFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
  const auto getOpenFileNameW = RunTimeFunction<GetOpenFileNameWFunction>("comdlg32.dll", "GetOpenFileNameW");
  if (HasWideFunctions() && getOpenFileNameW) {
    wchar_t file[kShortcutPathSize] = {};
    return AskForFile(getOpenFileNameW, OPENFILENAME_SIZE_VERSION_400W, owner, file) ? AnsiPath(file) : std::string();
  }
  char file[kShortcutPathSize] = {};
  return AskForFile(&GetOpenFileNameA, OPENFILENAME_SIZE_VERSION_400A, owner, file) ? std::string(file) : std::string();
}

void ChooseShortcutFile(HWND dialog, SettingsFile& settingsFile, int shortcut) {
  // The chooser moves the current directory wherever the user browses; it is put back, so that the
  // program's own directory stays where the user started it.
  const std::string saved = CurrentDirectory();
  const std::string file = ChooseFile(dialog);
  SetCurrentDirectoryA(saved.c_str());
  if (file.empty()) return;
  DecimalText key;
  FormatShortcutKey(shortcut, key);
  settingsFile.Write(kShortcutsSection, key, file.c_str());
}

void OnSet(HWND dialog, App& app) {
  const int event = ListSelection(dialog, IDC_EVENT_LIST);
  const CommandId command = ListSelection(dialog, IDC_COMMAND_LIST);
  // With no command selected (a stored binding the catalogue does not know) there is nothing to store.
  if (!IsEventIndex(event) || !IsCommandId(command)) return;
  app.settings.EventAssignmentTable[event + 1] = command;
  DecimalText key, value;
  FormatBindingKey(event + 1, key);
  FormatDecimal(command, value);
  app.settingsFile.Write(kOptionsSection, key, value);
  if (IsShortcutCommand(command)) ChooseShortcutFile(dialog, app.settingsFile, ShortcutNumber(command));
}

// The text goes to the file exactly as typed, even empty; the value in memory is its number.
void SaveRepeatField(HWND dialog, SettingsFile& settingsFile, int id, const char* key, std::int32_t& value) {
  char text[kFieldTextSize] = {};
  GetDlgItemTextA(dialog, id, text, kFieldTextSize);
  settingsFile.Write(kOptionsSection, key, text);
  value = ParseTypedNumber(text);
}

void OnClose(HWND dialog, App& app) {
  SaveRepeatField(dialog, app.settingsFile, IDC_REPEAT_RATE, kRepeatRateKey, app.settings.RepeatRate);
  SaveRepeatField(dialog, app.settingsFile, IDC_REPEAT_DELAY, kRepeatDelayKey, app.settings.RepeatDelay);
  EndDialog(dialog, 0);
}

INT_PTR CALLBACK OptionsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  App* app = DialogApp(dialog, message, lParam);
  if (!app) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog, app->settings);
      return TRUE;  // Windows then puts the focus on the first field
    case WM_COMMAND:
      // The notification code in the high word is not looked at: every report of a control counts.
      if (LOWORD(wParam) == IDC_EVENT_LIST) OnEventList(dialog, app->settings);
      if (LOWORD(wParam) == IDC_SET) OnSet(dialog, *app);
      return FALSE;  // IDOK and IDCANCEL (Enter, Escape) fall through here and close nothing
    case WM_CLOSE:
      OnClose(dialog, *app);
      return FALSE;
  }
  return FALSE;
}

}  // namespace

void ShowOptionsDialog(App& app) { ShowModalDialog(app, IDD_OPTIONS, &OptionsProcedure); }

}  // namespace brontavel
