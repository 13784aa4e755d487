// What one joystick report costs in the portable logic: the recogniser, the auto-repeat and the
// catalogue look-up of the command it runs; and what the poll's reading of a pad at rest costs. The
// pad is read ten times a second, so
// anything in microseconds is far below what a hand can notice; what matters as much is that a
// report allocates nothing.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/gesture_recogniser.h"

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

// The program's side: it looks the command up as the Windows program does before acting on it.
struct Core final : GestureOutputs, RepeatTimer {
  void RunCommand(CommandId id) override { benchmark::DoNotOptimize(FindCommand(id)); }
  void SetStatusTitle(const char* text) override { benchmark::DoNotOptimize(text); }
  bool GameHasTheScreen() override { return false; }
  void PausedFromThePad(bool paused) override { benchmark::DoNotOptimize(paused); }
  void Arm(std::uint32_t period) override { benchmark::DoNotOptimize(period); }
  void Stop() override {}

  Settings settings;
  GestureState state;
  AutoRepeat repeat{*this, settings, state, *this};
  GestureRecogniser recogniser{state, settings.EventAssignmentTable, repeat, *this};
};

constexpr std::uint16_t kMid = 32768;

template <typename Report>
void Measure(benchmark::State& state, Report report) {
  Core core;
  const long long before = g_allocations.load();
  std::uint64_t reports = 0;
  for (auto _ : state) {
    report(core, reports);
    ++reports;
  }
  state.counters["allocations/report"] = benchmark::Counter(
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(reports ? reports : 1));
  state.SetItemsProcessed(static_cast<std::int64_t>(reports));
}

// A new direction every report: the command runs and the repeat restarts.
void PositionReportNewDirection(benchmark::State& state) {
  Measure(state, [](Core& core, std::uint64_t n) { core.recogniser.HandleMoveReport(0, n % 2 ? 1000 : 64000, kMid); });
}
// The stick wobbling inside one zone: recognised and dropped.
void PositionReportSameZone(benchmark::State& state) {
  Measure(state, [](Core& core, std::uint64_t n) {
    core.recogniser.HandleMoveReport(0, static_cast<std::uint16_t>(1000 + n % 3000), kMid);
  });
}
// A button press: status title and command.
void ButtonReport(benchmark::State& state) {
  Measure(state, [](Core& core, std::uint64_t) { core.recogniser.HandleButtonDown(0x101); });
}
// A repeat tick of a held direction.
void RepeatTick(benchmark::State& state) {
  Measure(state, [](Core& core, std::uint64_t n) {
    if (n == 0) core.recogniser.HandleMoveReport(0, 1000, kMid);
    core.repeat.RepeatTick();
  });
}

// The poll's reading of a pad at rest, ten times a second for as long as the program runs: nothing
// changed, nothing reported.
void ReadingAtRest(benchmark::State& state) {
  ReadingsToReports reader;
  reader.Begin({kMid, kMid, 0, kHatCentred}, PadShape{true});
  Measure(state, [&reader](Core&, std::uint64_t n) {
    benchmark::DoNotOptimize(reader.Next({kMid + static_cast<std::uint32_t>(n % 100), kMid, 0, kHatCentred}));
  });
}

BENCHMARK(ReadingAtRest);
BENCHMARK(PositionReportNewDirection);
BENCHMARK(PositionReportSameZone);
BENCHMARK(ButtonReport);
BENCHMARK(RepeatTick);

}  // namespace
}  // namespace brontavel

BENCHMARK_MAIN();
