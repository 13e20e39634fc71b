// The low-power paced wait against the polling one, in one run: a show of slow transitions
// (speed 1000, pace 100) played by the scene thread once with each wait, on 24-bit DIB sections in
// memory. Each transition runs with one wait and then the other, twice over, so that both meet the
// same load of a shared machine. Prints the CPU time the process spends per wall-clock second with
// each wait, and how far each transition's mean length with the low-power wait lies from its mean
// length with the polling one. Goals: CPU at most a tenth of the polling figure; lengths within
// 5 %. The polling lengths' spread between the rounds is printed beside them: a poll's cost
// swings, and with it the polling wait, so that spread is the noise of the run.
// Run under Wine, where the polling wait's event polls are partly spent in wineserver, which the
// process's own CPU time does not include. Each poll is a round trip to wineserver; when the two
// processes run on different cores, every round trip wakes the other core, and on a virtual
// machine that makes a poll's cost swing by a quarter or more from one second to the next. Run
// the whole Wine world on one core for a steady reference:
//   taskset -c 0 scripts/with-wine wine build/mingw32/bench/win/bench_pacing.exe
// Usage: bench_pacing [width height]
#include <windows.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <vector>

#include "EffectBench.h"
#include "effects/win/DibCanvas.h"
#include "effects/win/GdiSurface.h"
#include "scene/win/SceneThread.h"

namespace {

using saver::CSceneRuntime;
using saver::win::CSceneThread;

constexpr int kSpeed = 1000;
constexpr int kPace = 1100 - kSpeed;
constexpr int kEffects[] = {7, 9, 11, 21, 29, 44};
constexpr int kRounds = 2;

class NoWindowHost : public saver::win::CShowHost {
 public:
  HWND Handle() const override { return nullptr; }
  void Fill(COLORREF) override {}
  void ShowExitButton() override {}
  void ArmLink(std::string, int) override {}
};

double Seconds(const FILETIME& t) {
  return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Totals of one kind of wait over the whole run.
struct WaitTotals {
  // Seconds, per round and transition.
  std::vector<std::vector<double>> lengths =
      std::vector<std::vector<double>>(kRounds, std::vector<double>(std::size(kEffects)));
  double cpu_seconds = 0, wall_seconds = 0;
  double CpuPerSecond() const { return cpu_seconds / wall_seconds; }
  double MeanLength(std::size_t transition) const {
    double sum = 0;
    for (const auto& round : lengths) sum += round[transition];
    return sum / kRounds;
  }
  // The longest round's length over the shortest's, less one, in percent.
  double RoundSpread(std::size_t transition) const {
    double shortest = lengths[0][transition], longest = shortest;
    for (const auto& round : lengths) {
      shortest = std::min(shortest, round[transition]);
      longest = std::max(longest, round[transition]);
    }
    return (longest / shortest - 1) * 100.0;
  }
};

int AllowedProcessors() {
  DWORD_PTR process = 0, system = 0;
  GetProcessAffinityMask(GetCurrentProcess(), &process, &system);
  return std::popcount(static_cast<std::uintptr_t>(process));
}

int SystemProcessors() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return static_cast<int>(info.dwNumberOfProcessors);
}

// The calibration of the saver window (a counting scene thread for one second), as the median of
// three, since the rate of event polls swings with the load of a shared machine.
std::uint32_t Calibrate(NoWindowHost& host) {
  std::uint32_t counts[3] = {};
  for (std::uint32_t& times : counts) {
    CSceneThread counter(host, &times, true, nullptr);
    if (!counter.Start()) return 0;
    Sleep(1000);
  }
  std::sort(std::begin(counts), std::end(counts));
  return counts[1];
}

// Plays transition `index` of kEffects on the scene thread in `round`; false when the thread did not start.
bool PlayTransition(NoWindowHost& host, std::uint32_t times, int round, std::size_t index, bool low_power,
                    const saver::bench::BenchPictures& pictures, saver::Size size, WaitTotals& totals) {
  double length = 0;
  CSceneThread thread(host, &times, false, [&](CSceneRuntime& runtime) {
    // The transitions wait on the scene thread itself, as on the saver window.
    saver::win::CDibCanvas screen(pictures.old_picture), frame(pictures.new_picture);
    saver::win::CGdiSurface surface(screen.Dc(), size, frame.Dc(), frame.Dc());
    saver::CEffectContext context(surface, runtime.Pacing(), {0, 0}, size, kPace);
    const double start = Now();
    saver::FindEffect(kEffects[index])->run(context);
    length = Now() - start;
  });
  if (low_power) thread.UseLowPowerPacing();
  const double cpu_start = ProcessCpuSeconds(), wall_start = Now();
  if (!thread.Start()) return false;
  WaitForSingleObject(thread.ExitedEvent(), INFINITE);
  totals.cpu_seconds += ProcessCpuSeconds() - cpu_start;
  totals.wall_seconds += Now() - wall_start;
  totals.lengths[round][index] = length;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const saver::Size size = argc > 2 ? saver::bench::TargetSize(argc, argv) : saver::Size{320, 240};
  if (size.width == 0) return 2;
  const saver::bench::BenchPictures pictures = saver::bench::MakeBenchPictures(size);
  NoWindowHost host;
  const std::uint32_t times = Calibrate(host);
  if (times == 0) return 1;
  std::printf("Paced waits of %zu transitions (mean of %d rounds) at speed %d on %d x %d; calibration (median of 3): %u polls per second\n",
              std::size(kEffects), kRounds, kSpeed, size.width, size.height, times);
  std::printf("Processors this process may run on: %d of %d (one: wineserver round trips stay on one core)\n",
              AllowedProcessors(), SystemProcessors());
  WaitTotals polling, low_power;
  for (int round = 0; round < kRounds; ++round) {
    for (std::size_t i = 0; i < std::size(kEffects); ++i) {
      if (!PlayTransition(host, times, round, i, false, pictures, size, polling)) return 1;
      if (!PlayTransition(host, times, round, i, true, pictures, size, low_power)) return 1;
    }
  }

  std::printf("%6s %-44s %12s %12s %9s %14s\n", "effect", "name", "polling ms", "low-power ms", "deviation",
              "polling spread");
  double sum = 0, worst = 0, spread_sum = 0, spread_worst = 0;
  for (std::size_t i = 0; i < std::size(kEffects); ++i) {
    const double polling_length = polling.MeanLength(i), low_power_length = low_power.MeanLength(i);
    const double deviation = (low_power_length - polling_length) / polling_length * 100.0;
    sum += std::fabs(deviation);
    worst = std::max(worst, std::fabs(deviation));
    spread_sum += polling.RoundSpread(i);
    spread_worst = std::max(spread_worst, polling.RoundSpread(i));
    std::printf("%6d %-44.44s %12.1f %12.1f %+8.2f%% %13.2f%%\n", kEffects[i],
                std::string(saver::FindEffect(kEffects[i])->name).c_str(), polling_length * 1000,
                low_power_length * 1000, deviation, polling.RoundSpread(i));
  }
  std::printf("CPU seconds per wall-clock second: polling %.3f, low-power %.3f, ratio %.3f (goal <= 0.100)\n",
              polling.CpuPerSecond(), low_power.CpuPerSecond(), low_power.CpuPerSecond() / polling.CpuPerSecond());
  std::printf("Transition length deviation: mean %.2f %%, worst %.2f %% (goal <= 5 %%)\n",
              sum / std::size(kEffects), worst);
  std::printf("Polling lengths' spread between rounds (the noise of this run): mean %.2f %%, worst %.2f %%\n",
              spread_sum / std::size(kEffects), spread_worst);
}
