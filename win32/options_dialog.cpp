#include "win32/options_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include "core/chosen_file.h"
#include "res/resource_ids.h"
#include "win32/app.h"
#include "win32/dialogs.h"
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

// The pad's own buttons are listed by the names of the pad in use as the dialog opens.
void OnInit(HWND dialog, const Settings& settings, PadNames names) {
  ShowNumber(dialog, IDC_REPEAT_RATE, settings.RepeatRate);
  ShowNumber(dialog, IDC_REPEAT_DELAY, settings.RepeatDelay);
  for (int n = 1; n <= kJoystickEventCount; ++n) AddListItem(dialog, IDC_EVENT_LIST, JoystickEventLabel(n, names));
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

// "Choose File 3": the chooser and what it has to say are titled by the file the gesture opens.
std::string ChooserTitle(int shortcut) {
  DecimalText number;
  FormatDecimal(shortcut, number);
  return std::string("Choose File ") + number;
}

// The record as Windows 95 and NT 4 knew it, so that every Windows shows the same plain chooser.
template <typename Record, typename Char>
ChosenFile::Outcome AskForFile(BOOL(WINAPI* open)(Record*), DWORD recordSize, HWND owner, const Char* title,
                               const Char* filter, Char (&file)[kShortcutPathSize], bool& tooSmall) {
  Record chooser{};
  chooser.lStructSize = recordSize;
  chooser.hwndOwner = owner;
  chooser.lpstrTitle = title;
  chooser.lpstrFilter = filter;
  chooser.lpstrFile = file;
  chooser.nMaxFile = kShortcutPathSize;
  // Read-only means nothing here: the file is opened later, by whatever Windows opens it with.
  chooser.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (open(&chooser)) return ChosenFile::Chosen;
  const DWORD error = CommDlgExtendedError();  // 0: the user cancelled
  tooSmall = error == FNERR_BUFFERTOOSMALL;
  return error == 0 ? ChosenFile::Cancelled : ChosenFile::Failed;
}

// The file for shortcut n, asked for in wide characters where Windows has them (wide, the name the
// chooser gave, stays "" elsewhere).
ChosenFile ChooseFile(HWND owner, int shortcut, std::wstring& wide) {
  const std::string title = ChooserTitle(shortcut);
  ChosenFile chosen;
  if (Wide().getOpenFileName) {
    const std::wstring wideTitle(title.begin(), title.end());  // ASCII
    wchar_t file[kShortcutPathSize] = {};
    chosen.outcome = AskForFile(Wide().getOpenFileName, OPENFILENAME_SIZE_VERSION_400W, owner, wideTitle.c_str(),
                                L"All files\0*.*\0", file, chosen.chooserBufferTooSmall);
    if (chosen.outcome != ChosenFile::Chosen) return chosen;
    wide = file;
    if (const std::optional<AnsiPathName> ansi = AnsiPath(wide)) {
      chosen.name = ansi->text;
      chosen.shortened = ansi->shortened;
    }
    return chosen;
  }
  char file[kShortcutPathSize] = {};
  chosen.outcome = AskForFile(&GetOpenFileNameA, OPENFILENAME_SIZE_VERSION_400A, owner, title.c_str(),
                              "All files\0*.*\0", file, chosen.chooserBufferTooSmall);
  if (chosen.outcome == ChosenFile::Chosen) chosen.name = file;
  return chosen;
}

// Asks for the file of shortcut n and keeps it. True once it is kept (in the file, or where the file
// cannot be written, in memory for this run); false when the user cancelled, or was told why it
// cannot be kept. The binding waits for this, so that a cancelled or failed choice leaves the gesture
// as it was.
bool ChooseShortcutFile(HWND dialog, SettingsFile& settingsFile, int shortcut) {
  ChosenFile chosen;
  std::wstring wide;
  {
    // The chooser moves the current directory wherever the user browses; it is put back, so that
    // the program's own directory stays where the user started it.
    const CurrentDirectoryKeeper keeper;
    chosen = ChooseFile(dialog, shortcut, wide);
  }
  if (chosen.outcome == ChosenFile::Cancelled) return false;
  if (const char* why = WhyNotKept(chosen, [&] { return SameFile(*chosen.name, wide); })) {
    const std::string text = std::string(why) + "\n\nNothing was changed.";
    MessageBoxA(dialog, text.c_str(), ChooserTitle(shortcut).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  DecimalText key;
  FormatShortcutKey(shortcut, key);
  settingsFile.Write(kShortcutsSection, key, chosen.name->c_str(), dialog);
  return true;
}

void OnSet(HWND dialog, App& app) {
  const int event = ListSelection(dialog, IDC_EVENT_LIST);
  const CommandId command = ListSelection(dialog, IDC_COMMAND_LIST);
  // With no command selected (a stored binding the catalogue does not know) there is nothing to store.
  if (!IsEventIndex(event) || !IsCommandId(command)) return;
  // Nothing bound: the list must not go on showing the file command as if it were.
  if (IsShortcutCommand(command) && !ChooseShortcutFile(dialog, app.settingsFile, ShortcutNumber(command)))
    return OnEventList(dialog, app.settings);
  app.settings.EventAssignmentTable[event + 1] = command;
  DecimalText key, value;
  FormatBindingKey(event + 1, key);
  FormatDecimal(command, value);
  app.settingsFile.Write(kOptionsSection, key, value, dialog);
}

struct RepeatField {
  int id;
  const char* key;
  std::int32_t Settings::*value;
  const char* label;
  const char* refusal;
};
constexpr RepeatField kRepeatFields[] = {
    {IDC_REPEAT_RATE, kRepeatRateKey, &Settings::RepeatRate, "Repeat Rate",
     "Repeat Rate takes whole milliseconds from 10 to 10000, such as 100."},
    {IDC_REPEAT_DELAY, kRepeatDelayKey, &Settings::RepeatDelay, "Repeat Delay",
     "Repeat Delay takes whole milliseconds from 10 to 10000, such as 300."},
};

// What the repeat fields hold now: each text as typed, its number, and which field (if any) holds
// what a user cannot mean (empty, 0, letters, too large).
struct RepeatFieldsRead {
  char texts[2][kFieldTextSize] = {};
  std::int32_t values[2] = {};
  const RepeatField* unsound = nullptr;
};

RepeatFieldsRead ReadRepeatFields(HWND dialog) {
  RepeatFieldsRead read;
  for (int i = 0; i < 2; ++i) {
    GetDlgItemTextA(dialog, kRepeatFields[i].id, read.texts[i], kFieldTextSize);
    if (!ParseRepeatMilliseconds(read.texts[i], read.values[i]) && !read.unsound) read.unsound = &kRepeatFields[i];
  }
  return read;
}

// Only both fields together, and only when both are sound: each text goes to the file as typed
// ("0150" stays "0150"), its number to the settings in use.
void StoreRepeatFields(HWND dialog, App& app) {
  const RepeatFieldsRead read = ReadRepeatFields(dialog);
  if (read.unsound) return;
  for (int i = 0; i < 2; ++i) {
    app.settingsFile.Write(kOptionsSection, kRepeatFields[i].key, read.texts[i], dialog);
    app.settings.*kRepeatFields[i].value = read.values[i];
  }
}

// A field that holds what a user cannot mean keeps the dialog open: it is selected, the user is told
// the range, and nothing is stored.
void OnClose(HWND dialog, App& app) {
  if (const RepeatField* unsound = ReadRepeatFields(dialog).unsound) {
    MessageBoxA(dialog, unsound->refusal, unsound->label, MB_OK | MB_ICONEXCLAMATION);
    const HWND field = GetDlgItem(dialog, unsound->id);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return;
  }
  StoreRepeatFields(dialog, app);
  EndDialog(dialog, 0);
}

INT_PTR CALLBACK OptionsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  App* app = DialogApp(dialog, message, lParam);
  if (!app) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog, app->settings, app->pads.Names());
      app->optionsDialogs.push_back(dialog);
      return TRUE;  // Windows then puts the focus on the first field
    case WM_DESTROY:
      std::erase(app->optionsDialogs, dialog);
      return FALSE;
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

void StoreOpenOptions(App& app) {
  for (const HWND dialog : app.optionsDialogs) StoreRepeatFields(dialog, app);
}

}  // namespace brontavel
