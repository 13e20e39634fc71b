// Start-up of a saver with 200 pictures of 12 megapixels (4000 x 3000 JPEGs of 3.5 MB): the time
// from starting the process to its first frame (the show's first item fills the screen with a
// colour), with every core the process may use and with one core, in turns. Validation measures
// every picture before the show can start; the pictures are measured on all cores. Goal: at most
// 1 s on two cores. Then the same show with JPEGs of 280 KB, in the same run. The first run
// calibrates the pacing and is not counted.
// Usage: bench_startup [path of the padded engine saver.scr] (default: ..\..\saver.scr beside this program)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "StartupPackage.h"
#include "package/EngineLayout.h"

namespace {

using namespace saver;
using namespace saver::bench;

constexpr int kRuns = 5;
constexpr DWORD kFrameTimeoutMs = 300000;

double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string DefaultEnginePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\') + 1);
  return folder + "..\\..\\saver.scr";
}

bool WriteSaver(const std::string& engine_path, const std::string& saver_path, const std::vector<std::uint8_t>& package) {
  std::ifstream engine_file(engine_path, std::ios::binary);
  std::vector<char> engine((std::istreambuf_iterator<char>(engine_file)), std::istreambuf_iterator<char>());
  if (engine.size() != kPackageOffset) {
    std::printf("%s is not a padded engine of %u bytes\n", engine_path.c_str(), static_cast<unsigned>(kPackageOffset));
    return false;
  }
  std::ofstream out(saver_path, std::ios::binary | std::ios::trunc);
  out.write(engine.data(), static_cast<std::streamsize>(engine.size()));
  out.write(reinterpret_cast<const char*>(package.data()), static_cast<std::streamsize>(package.size()));
  out.put(0);  // normal show, no exit button
  return static_cast<bool>(out);
}

bool ScreenShows(std::uint32_t colour) {
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  ReleaseDC(nullptr, screen);
  return pixel == colour;
}

// Milliseconds from CreateProcess to the first frame, the saver limited to `affinity`; -1 when it
// never came.
double TimeToFirstFrame(const std::string& saver_path, DWORD_PTR affinity) {
  std::string command = "\"" + saver_path + "\" /s";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const double start = NowMs();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  SetProcessAffinityMask(process.hProcess, affinity);
  ResumeThread(process.hThread);
  double elapsed = -1;
  while (NowMs() - start < kFrameTimeoutMs) {
    if (ScreenShows(kFirstFrameColour)) {
      elapsed = NowMs() - start;
      break;
    }
    if (WaitForSingleObject(process.hProcess, 2) == WAIT_OBJECT_0) break;  // ended without a frame
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // The window is gone once the colour is: the next run starts from the bare screen.
  for (const double gone = NowMs(); ScreenShows(kFirstFrameColour) && NowMs() - gone < 30000;) Sleep(20);
  return elapsed;
}

// Times the saver with every core and with one, in turns, so that a disturbance of the machine
// (the saver file still being written back to disk, another program) falls on both.
void TimeSaver(const std::string& saver_path, DWORD_PTR process_mask) {
  const DWORD_PTR one_core = process_mask & (~process_mask + 1);  // the lowest core we may use
  int cores = 0;
  for (DWORD_PTR m = process_mask; m != 0; m &= m - 1) ++cores;
  const struct {
    const char* name;
    DWORD_PTR mask;
    int count;
  } setups[] = {{"all cores", process_mask, cores}, {"one core", one_core, 1}};
  std::vector<double> times[2];
  for (int run = 0; run < kRuns; ++run) {
    for (int s = 0; s < 2; ++s) times[s].push_back(TimeToFirstFrame(saver_path, setups[s].mask));
  }
  double median[2] = {};
  for (int s = 0; s < 2; ++s) {
    std::sort(times[s].begin(), times[s].end());
    median[s] = times[s][times[s].size() / 2];
    std::printf("  %-10s (%d): median %8.0f ms, best %8.0f ms over %d runs\n", setups[s].name, setups[s].count,
                median[s], times[s].front(), kRuns);
  }
  std::printf("  one core / all cores (medians): %.2f; goal: at most 1000 ms on two cores\n", median[1] / median[0]);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string engine_path = argc > 1 ? argv[1] : DefaultEnginePath();
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string saver_path = std::string(temp) + "bench-startup.scr";
  DWORD_PTR process_mask = 0, system_mask = 0;
  GetProcessAffinityMask(GetCurrentProcess(), &process_mask, &system_mask);

  // The same show with pictures of a camera's size, then with small files: what the second saves
  // is the cost of the package's bulk (reading and copying it), not of the pictures' count.
  const struct {
    PictureGrain grain;
    const char* kind;
  } shows[] = {{PictureGrain::Camera, "camera-sized files"}, {PictureGrain::Fine, "the same show, small files"}};
  bool calibrated = false;
  for (const auto& show : shows) {
    const std::vector<std::uint8_t> jpeg = StartupPictureJpeg(show.grain);
    if (jpeg.empty() || !WriteSaver(engine_path, saver_path, StartupPackage(jpeg))) return 2;
    std::printf("Start-up to the first frame, %d pictures of %d x %d, %s (JPEG of %zu bytes each)\n",
                kStartupPictures, kStartupPictureWidth, kStartupPictureHeight, show.kind, jpeg.size());
    if (!calibrated) TimeToFirstFrame(saver_path, process_mask);  // calibrates the pacing once
    calibrated = true;
    TimeSaver(saver_path, process_mask);
  }
  DeleteFileA(saver_path.c_str());
  return 0;
}
