// This executable carries the engine's manifest: the process starts aware of each monitor's DPI,
// so window sizes and screen metrics are physical pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Not declared by every MinGW header set; user32 exports them since Windows 10 1607.
using GetThreadContextFn = HANDLE(WINAPI*)();
using GetAwarenessFn = int(WINAPI*)(HANDLE);
constexpr int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

TEST(DpiAwarenessTest, ManifestMakesTheProcessPerMonitorAware) {
  EXPECT_TRUE(IsProcessDPIAware());  // the older question, answered by the dpiAware fallback as well
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  ASSERT_NE(user32, nullptr);
  auto get_context = Export<GetThreadContextFn>(user32, "GetThreadDpiAwarenessContext");
  auto get_awareness = Export<GetAwarenessFn>(user32, "GetAwarenessFromDpiAwarenessContext");
  ASSERT_NE(get_context, nullptr);
  ASSERT_NE(get_awareness, nullptr);
  EXPECT_EQ(get_awareness(get_context()), kPerMonitorAware);
}

TEST(DpiAwarenessTest, ManifestAsksForPerMonitorV2WithFallbacks) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(resource, nullptr);
  HGLOBAL loaded = LoadResource(nullptr, resource);
  ASSERT_NE(loaded, nullptr);
  const std::string text(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, resource));
  EXPECT_NE(text.find("PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(text.find(">true/pm</dpiAware>"), std::string::npos);
}

}  // namespace
