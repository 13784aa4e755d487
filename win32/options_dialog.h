#pragma once

namespace brontavel {

struct App;

// The Options dialog, modal over the control window. It keeps no state between messages: what it
// shows lives in its controls, what it changes goes straight to the settings in memory and to the
// file. A binding is stored when the user presses "&Set" (and, for a file command, a file is asked
// for); the repeat fields are stored as typed when the dialog closes. Enter and Escape never close it.
void ShowOptionsDialog(App& app);

}  // namespace brontavel
