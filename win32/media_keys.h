#pragma once

namespace brontavel {

// Types one key of the keyboard's media row (play/pause, next, volume, ...), pressed then released,
// as the keyboard itself would: Windows hands it to whatever is playing and shows its own volume and
// media flyout, so the user sees from across the room what a gesture did.
void PressMediaKey(unsigned virtualKey);

}  // namespace brontavel
