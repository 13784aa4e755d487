#include "platform/host/simulated_window_system.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace brontavel {
namespace {

bool SameTextIgnoringCase(const std::string& a, const char* b) {
  const std::size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

using Call = SimulatedWindowSystem::Call;

Call Call::Find(std::string className, std::optional<std::string> title) {
  Call call;
  call.kind = Kind::Find;
  call.className = std::move(className);
  call.title = std::move(title);
  return call;
}

Call Call::Send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  Call call;
  call.kind = Kind::Send;
  call.window = window;
  call.message = message;
  call.wParam = wParam;
  call.lParam = lParam;
  return call;
}

Call Call::Beep(unsigned soundType) {
  Call call;
  call.kind = Kind::Beep;
  call.message = soundType;
  return call;
}

WindowHandle SimulatedWindowSystem::Allocate(WindowHandle reuse) {
  if (reuse != kNoWindow && !windows_.count(reuse)) {
    receivedByDead_.erase(reuse);
    return reuse;
  }
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 4;  // Windows' handles are never odd, and never 0
  return handle;
}

WindowHandle SimulatedWindowSystem::CreateTopLevel(const std::string& className, const std::string& title,
                                                   WindowHandle reuse) {
  const WindowHandle handle = Allocate(reuse);
  windows_[handle] = Window{className, title, kNoWindow, {}, {}};
  topLevel_.insert(topLevel_.begin(), handle);
  return handle;
}

WindowHandle SimulatedWindowSystem::CreateChild(WindowHandle parent, const std::string& className,
                                                const std::string& title) {
  auto found = windows_.find(parent);
  if (found == windows_.end()) return kNoWindow;
  const WindowHandle handle = Allocate(kNoWindow);
  windows_[handle] = Window{className, title, parent, {}, {}};
  windows_[parent].children.push_back(handle);
  return handle;
}

std::vector<WindowHandle>& SimulatedWindowSystem::SiblingsOf(const Window& window) {
  return window.parent == kNoWindow ? topLevel_ : windows_[window.parent].children;
}

void SimulatedWindowSystem::Destroy(WindowHandle handle) {
  auto found = windows_.find(handle);
  if (found == windows_.end()) return;
  const std::vector<WindowHandle> children = found->second.children;
  for (WindowHandle child : children) Destroy(child);
  std::vector<WindowHandle>& siblings = SiblingsOf(found->second);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
  receivedByDead_[handle] = std::move(found->second.received);
  windows_.erase(found);
}

void SimulatedWindowSystem::SetTitle(WindowHandle window, const std::string& title) {
  auto found = windows_.find(window);
  if (found != windows_.end()) found->second.title = title;
}

void SimulatedWindowSystem::BringToTop(WindowHandle handle) {
  auto found = windows_.find(handle);
  if (found == windows_.end()) return;
  std::vector<WindowHandle>& siblings = SiblingsOf(found->second);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
  siblings.insert(siblings.begin(), handle);
}

const SimulatedWindowSystem::Window* SimulatedWindowSystem::Find(WindowHandle window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

std::vector<Call> SimulatedWindowSystem::Sends() const {
  std::vector<Call> sends;
  for (const Call& call : journal_)
    if (call.kind == Call::Kind::Send) sends.push_back(call);
  return sends;
}

std::vector<Call> SimulatedWindowSystem::Finds() const {
  std::vector<Call> finds;
  for (const Call& call : journal_)
    if (call.kind == Call::Kind::Find) finds.push_back(call);
  return finds;
}

int SimulatedWindowSystem::BeepCount() const {
  return static_cast<int>(std::count_if(journal_.begin(), journal_.end(),
                                        [](const Call& call) { return call.kind == Call::Kind::Beep; }));
}

std::vector<SimulatedWindowSystem::Message> SimulatedWindowSystem::ReceivedBy(WindowHandle window) const {
  if (const Window* live = Find(window)) return live->received;
  auto dead = receivedByDead_.find(window);
  return dead == receivedByDead_.end() ? std::vector<Message>{} : dead->second;
}

WindowHandle SimulatedWindowSystem::FindTopLevel(const char* className, const char* title) {
  journal_.push_back(Call::Find(className ? className : "",
                                title ? std::optional<std::string>(title) : std::nullopt));
  for (WindowHandle handle : topLevel_) {
    const Window& window = windows_.at(handle);
    if (className && !SameTextIgnoringCase(window.className, className)) continue;
    if (title && !SameTextIgnoringCase(window.title, title)) continue;
    return handle;
  }
  return kNoWindow;
}

bool SimulatedWindowSystem::IsLive(WindowHandle window) { return Find(window) != nullptr; }

WindowHandle SimulatedWindowSystem::Related(WindowHandle handle, WindowRelation relation) {
  const Window* window = Find(handle);
  if (!window) return kNoWindow;
  if (relation == WindowRelation::FirstChild)
    return window->children.empty() ? kNoWindow : window->children.front();
  const std::vector<WindowHandle>& siblings = SiblingsOf(*window);
  auto at = std::find(siblings.begin(), siblings.end(), handle);
  return at == siblings.end() || at + 1 == siblings.end() ? kNoWindow : *(at + 1);
}

int SimulatedWindowSystem::ReadTitle(WindowHandle handle, char* buffer, int size) {
  if (size <= 0) return 0;
  const Window* window = Find(handle);
  const std::string title = window ? window->title : std::string();
  const int copied = std::min(static_cast<int>(title.size()), size - 1);
  std::memcpy(buffer, title.data(), static_cast<std::size_t>(copied));
  buffer[copied] = '\0';
  return copied;
}

void SimulatedWindowSystem::Send(WindowHandle handle, unsigned message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
  journal_.push_back(Call::Send(handle, message, wParam, lParam));
  auto found = windows_.find(handle);
  if (found != windows_.end()) found->second.received.push_back(Message{message, wParam, lParam});
}

void SimulatedWindowSystem::Beep(unsigned soundType) { journal_.push_back(Call::Beep(soundType)); }

std::ostream& operator<<(std::ostream& out, const SimulatedWindowSystem::Call& call) {
  switch (call.kind) {
    case Call::Kind::Find:
      out << "Find(\"" << call.className << '"';
      if (call.title) out << ", \"" << *call.title << '"';
      return out << ')';
    case Call::Kind::Send:
      return out << "Send(0x" << std::hex << call.window << ", 0x" << call.message << ", 0x" << call.wParam
                 << ", " << std::dec << call.lParam << ')';
    case Call::Kind::Beep:
      return out << "Beep(0x" << std::hex << call.message << std::dec << ')';
  }
  return out;
}

std::ostream& operator<<(std::ostream& out, const SimulatedWindowSystem::Message& message) {
  return out << "{0x" << std::hex << message.message << ", 0x" << message.wParam << ", " << std::dec
             << message.lParam << '}';
}

}  // namespace brontavel
