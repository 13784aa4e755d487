#include "app/remote.h"

#include "config/settings_file.h"

namespace brontavel {

Remote::Remote(const Services& services)
    : services_(services),
      control_(ControlServices{services.windows, services.shell, services.os, services.store, services.directory},
               settings_, players_),
      repeat_(services.timer, settings_, gestures_, control_),
      recogniser_(gestures_, settings_.EventAssignmentTable, *this) {}

void Remote::LoadSettings() {
  brontavel::LoadSettings(settings_, services_.store, services_.directory, services_.boxes);
}

void Remote::FindPlayerWindows() {
  for (int slot = 0; slot < kPlayerSlotCount; ++slot)
    players_.slots[slot] = FindPlayerWindow(services_.windows, settings_.PlayerClassNames, slot);
}

void Remote::OnMoveReport(std::uintptr_t buttons, std::uint16_t x, std::uint16_t y) {
  recogniser_.HandleMoveReport(buttons, x, y);
}

void Remote::OnButtonDown(std::uintptr_t value) { recogniser_.HandleButtonDown(value); }

void Remote::OnButtonUp(std::uintptr_t value) { recogniser_.HandleButtonUp(value); }

void Remote::OnRepeatTimer() { repeat_.RepeatTick(); }

void Remote::RunCommand(CommandId id) { brontavel::RunCommand(id, control_); }

void Remote::SetStatusTitle(const char* text) { services_.controlWindow.SetTitle(text); }

void Remote::StartRepeat() { repeat_.StartRepeat(); }

void Remote::StopRepeat() { repeat_.StopRepeat(); }

}  // namespace brontavel
