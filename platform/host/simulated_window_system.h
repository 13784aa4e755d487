#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace brontavel {

// A window system in memory, for running the core where Windows is not: windows with classes and
// titles, a stacking order of top-level windows and of each window's children, destruction (old
// handles stay dead unless a test deliberately hands one out again), and a journal of every lookup,
// message and beep, so tests can compare what happened with an expected table.
//
// Stacking follows Windows: a new top-level window goes on top of the others, a new child goes below
// its siblings (so children stack in creation order, as a dialog's controls do). Class names and
// titles match without regard to case, as FindWindowA compares them.
class SimulatedWindowSystem final : public WindowSystem {
 public:
  struct Call {
    enum class Kind { Find, Send, Beep };
    Kind kind = Kind::Find;
    std::string className;             // Find
    std::optional<std::string> title;  // Find; empty optional for "any title"
    WindowHandle window = kNoWindow;   // Send: the target
    unsigned message = 0;              // Send: the message; Beep: the sound type
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;

    static Call Find(std::string className, std::optional<std::string> title = std::nullopt);
    static Call Send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam = 0);
    static Call Beep(unsigned soundType);
    bool operator==(const Call&) const = default;
  };

  struct Message {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Message&) const = default;
  };

  // Building the world. reuse hands out a handle of a destroyed window again, as Windows may.
  WindowHandle CreateTopLevel(const std::string& className, const std::string& title,
                              WindowHandle reuse = kNoWindow);
  WindowHandle CreateChild(WindowHandle parent, const std::string& className, const std::string& title);
  void Destroy(WindowHandle window);  // and everything inside it
  void SetTitle(WindowHandle window, const std::string& title);
  void BringToTop(WindowHandle window);  // to the top of its siblings

  // What happened.
  const std::vector<Call>& Journal() const { return journal_; }
  std::vector<Call> Sends() const;
  std::vector<Call> Finds() const;
  int BeepCount() const;
  // The messages a window actually received (sends to a dead window or to none reach nobody).
  std::vector<Message> ReceivedBy(WindowHandle window) const;
  void ClearJournal() { journal_.clear(); }

  // WindowSystem
  WindowHandle FindTopLevel(const char* className, const char* title) override;
  bool IsLive(WindowHandle window) override;
  WindowHandle Related(WindowHandle window, WindowRelation relation) override;
  int ReadTitle(WindowHandle window, char* buffer, int size) override;
  void Send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void Beep(unsigned soundType) override;

 private:
  struct Window {
    std::string className;
    std::string title;
    WindowHandle parent = kNoWindow;  // kNoWindow: a top-level window
    std::vector<WindowHandle> children;  // topmost first
    std::vector<Message> received;
  };

  WindowHandle Allocate(WindowHandle reuse);
  std::vector<WindowHandle>& SiblingsOf(const Window& window);
  const Window* Find(WindowHandle window) const;

  std::map<WindowHandle, Window> windows_;  // live windows only
  std::vector<WindowHandle> topLevel_;      // topmost first
  std::map<WindowHandle, std::vector<Message>> receivedByDead_;
  WindowHandle nextHandle_ = 0x10000;
  std::vector<Call> journal_;
};

// Readable journal entries in test failure messages.
std::ostream& operator<<(std::ostream& out, const SimulatedWindowSystem::Call& call);
std::ostream& operator<<(std::ostream& out, const SimulatedWindowSystem::Message& message);

}  // namespace brontavel
