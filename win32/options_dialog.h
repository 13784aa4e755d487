#pragma once

namespace brontavel {

struct App;

// The Options dialog, modal over the control window. It keeps no state between messages: what it
// shows lives in its controls, what it changes goes straight to the settings in memory and to the
// file. A binding is stored when the user presses "&Set" (for a file command, once the file is
// chosen and stored); the repeat fields are stored as typed when the dialog closes, and only when
// both are sound. Enter and Escape never close it.
void ShowOptionsDialog(App& app);

// The program or the Windows session is ending while Options is open: what was typed in the repeat
// fields is kept, as the dialog's own close would keep it, but only when both fields are sound.
void StoreOpenOptions(App& app);

}  // namespace brontavel
