#include "core/auto_repeat.h"

namespace brontavel {
namespace {

// The settings hold signed numbers and apply no bounds; the timer takes them as an unsigned count
// of milliseconds, so -1 is a very long wait rather than none.
std::uint32_t AsTimerPeriod(std::int32_t ms) { return static_cast<std::uint32_t>(ms); }

}  // namespace

void AutoRepeat::StartRepeat() {
  timer_.Stop();
  timer_.Arm(AsTimerPeriod(settings_.RepeatDelay));
}

void AutoRepeat::RepeatTick() {
  timer_.Stop();
  const int gesture = state_.Repeating;
  // A tick that was already due when the hold ended has nothing left to repeat.
  if (!IsRepeatingEvent(gesture)) return;
  // A game that took the screen while the gesture was held has the pad now.
  if (state_.Paused || outputs_.GameHasTheScreen()) return;
  timer_.Arm(AsTimerPeriod(settings_.RepeatRate));
  // Only a key press (the player's, or a media key: hold Up or a trigger and the volume keeps
  // rising) is worth repeating. Starting or closing the player, shutting down or opening a file ten
  // times a second because the stick is still held would do real harm; those run once, when the
  // gesture is first made.
  const CommandId command = settings_.EventAssignmentTable[gesture];
  if (IsRepeatableCommand(command)) outputs_.RunCommand(command);
}

}  // namespace brontavel
