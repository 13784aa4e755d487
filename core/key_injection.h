#pragma once

namespace brontavel {

// What to do once Windows was asked to type a key's press and its release together (SendInput), by
// how many of the two it took. Windows refuses both where the window in front runs with higher rights
// or the secure desktop is up; the older way (keybd_event) is refused there too, and the user must
// hear that nothing happened. A press taken without its release would leave the key down: only the
// release is sent again, as typing the pair again would press twice (play/pause would toggle back).
enum class AfterInjection { Done, SendReleaseAgain, Warn };

constexpr AfterInjection AfterTypingPair(unsigned taken) {
  return taken >= 2 ? AfterInjection::Done : taken == 1 ? AfterInjection::SendReleaseAgain : AfterInjection::Warn;
}

}  // namespace brontavel
