// What one joystick report costs on its way through the whole core: the recogniser, the command
// dispatch and keystroke delivery, down to a window system that does nothing. The driver reports at
// most ten times a second, so anything in microseconds is far below what a hand can notice; what
// matters as much is that a report allocates nothing.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/remote.h"

namespace {

std::atomic<long long> g_allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace brontavel {
namespace {

// A player that is always there and takes every key without a word.
struct SilentWindows final : WindowSystem {
  WindowHandle FindTopLevel(const char*, const char*) override { return 0x100; }
  bool IsLive(WindowHandle window) override { return window != kNoWindow; }
  WindowHandle Related(WindowHandle, WindowRelation) override { return kNoWindow; }
  int ReadTitle(WindowHandle, char* buffer, int size) override { return size > 0 ? (buffer[0] = '\0', 0) : 0; }
  void Send(WindowHandle window, unsigned, std::uintptr_t, std::intptr_t) override { benchmark::DoNotOptimize(window); }
  void Beep(unsigned) override {}
};
struct StillTimer final : RepeatTimer {
  void Arm(std::uint32_t) override {}
  void Stop() override {}
};
struct StillWindow final : ControlWindow {
  bool RegisterWindowClass() override { return true; }
  bool CreateHidden() override { return true; }
  void SetTitle(const char* text) override { benchmark::DoNotOptimize(text); }
  void PostToSelf(unsigned) override {}
  void Destroy() override {}
  void UnregisterWindowClass() override {}
};
// Never reached from a joystick report; present because the remote is built with them.
struct Unused final : ProfileStore, WorkingDirectory, MessageBoxes, DesktopShell, OperatingSystem {
  std::int32_t ReadInt(const char*, const char*, std::int32_t value, const char*) override { return value; }
  int ReadText(const char*, const char*, const char*, char*, int, const char*) override { return 0; }
  bool WriteText(const char*, const char*, const char*, const char*) override { return false; }
  std::string Current() override { return {}; }
  bool Change(const std::string&) override { return false; }
  void Show(const char*, const char*) override {}
  void Open(const char*, int) override {}
  void PostWindowMessage(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) override {}
  int PlatformId() override { return kPlatformNt; }
  bool LookupPrivilege(const char*, PrivilegeId&) override { return false; }
  bool OpenProcessToken(std::uint32_t, TokenHandle&) override { return false; }
  bool EnablePrivilege(TokenHandle, PrivilegeId, std::uint32_t) override { return false; }
  void CloseToken(TokenHandle) override {}
  bool EndSession(std::uint32_t, std::uint32_t) override { return false; }
};

struct Core {
  Core() { remote.FindPlayerWindows(); }
  SilentWindows windows;
  StillTimer timer;
  StillWindow window;
  Unused unused;
  Remote remote{Services{windows, timer, unused, unused, unused, unused, unused, window}};
};

constexpr std::uint16_t kMid = 32768;

template <typename Report>
void Measure(benchmark::State& state, Report report) {
  Core core;
  const long long before = g_allocations.load();
  std::uint64_t reports = 0;
  for (auto _ : state) {
    report(core.remote, reports);
    ++reports;
  }
  state.counters["allocations/report"] = benchmark::Counter(
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(reports ? reports : 1));
  state.SetItemsProcessed(static_cast<std::int64_t>(reports));
}

// A new direction every report: the command runs (two key messages) and the repeat restarts.
void PositionReportNewDirection(benchmark::State& state) {
  Measure(state, [](Remote& remote, std::uint64_t n) { remote.OnMoveReport(0, n % 2 ? 1000 : 64000, kMid); });
}
// The stick wobbling inside one zone: recognised and dropped.
void PositionReportSameZone(benchmark::State& state) {
  Measure(state, [](Remote& remote, std::uint64_t n) {
    remote.OnMoveReport(0, static_cast<std::uint16_t>(1000 + n % 3000), kMid);
  });
}
// A button press: status title and command.
void ButtonReport(benchmark::State& state) {
  Measure(state, [](Remote& remote, std::uint64_t) { remote.OnButtonDown(0x101); });
}
// A repeat tick of a held direction.
void RepeatTick(benchmark::State& state) {
  Measure(state, [](Remote& remote, std::uint64_t n) {
    if (n == 0) remote.OnMoveReport(0, 1000, kMid);
    remote.OnRepeatTimer();
  });
}

BENCHMARK(PositionReportNewDirection);
BENCHMARK(PositionReportSameZone);
BENCHMARK(ButtonReport);
BENCHMARK(RepeatTick);

}  // namespace
}  // namespace brontavel

BENCHMARK_MAIN();
