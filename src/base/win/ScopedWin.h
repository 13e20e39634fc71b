#pragma once
// Move-only owners for Win32 resources. A copyable owner would release twice, so none is.
// Each owner counts the live objects of its kind, so tests can prove that a show leaks nothing
// (Wine reports no GDI or handle counts of its own).
#include <windows.h>

#include <atomic>
#include <utility>

namespace saver::win {

// Live counts of the objects held by the owners below.
struct LiveCounts {
  static inline std::atomic<long> gdi_objects{0};
  static inline std::atomic<long> dcs{0};
  static inline std::atomic<long> handles{0};
};

template <typename T, typename Traits>
class CScopedResource {
 public:
  CScopedResource() = default;
  explicit CScopedResource(T value) : value_(value) {
    if (Valid()) ++Traits::Count();
  }
  CScopedResource(CScopedResource&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  CScopedResource& operator=(CScopedResource&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.value_, Traits::Invalid()), false);
    return *this;
  }
  CScopedResource(const CScopedResource&) = delete;
  CScopedResource& operator=(const CScopedResource&) = delete;
  ~CScopedResource() { Reset(); }

  T Get() const { return value_; }
  bool Valid() const { return value_ != Traits::Invalid(); }
  explicit operator bool() const { return Valid(); }

  void Reset(T value = Traits::Invalid()) { Reset(value, true); }
  // Hands the resource over; the caller releases it.
  T Release() {
    if (Valid()) --Traits::Count();
    return std::exchange(value_, Traits::Invalid());
  }

 private:
  void Reset(T value, bool count_new) {
    if (Valid()) {
      Traits::Close(value_);
      --Traits::Count();
    }
    value_ = value;
    if (count_new && Valid()) ++Traits::Count();
  }
  T value_ = Traits::Invalid();
};

struct HandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
  static std::atomic<long>& Count() { return LiveCounts::handles; }
};
// For CreateFile, whose failure value is INVALID_HANDLE_VALUE.
struct FileHandleTraits : HandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};
template <typename G>
struct GdiObjectTraits {
  static G Invalid() { return nullptr; }
  static void Close(G g) { DeleteObject(g); }
  static std::atomic<long>& Count() { return LiveCounts::gdi_objects; }
};
struct MemoryDCTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
  static std::atomic<long>& Count() { return LiveCounts::dcs; }
};
struct RegKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
  static std::atomic<long>& Count() { return LiveCounts::handles; }
};

// A view of a file mapping, from MapViewOfFile.
struct MappedViewTraits {
  static const void* Invalid() { return nullptr; }
  static void Close(const void* view) { UnmapViewOfFile(view); }
  static std::atomic<long>& Count() { return LiveCounts::handles; }
};

// A module from LoadLibrary.
struct LibraryTraits {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE module) { FreeLibrary(module); }
  static std::atomic<long>& Count() { return LiveCounts::handles; }
};

using ScopedHandle = CScopedResource<HANDLE, HandleTraits>;
using ScopedMappedView = CScopedResource<const void*, MappedViewTraits>;
using ScopedFile = CScopedResource<HANDLE, FileHandleTraits>;
using ScopedBitmap = CScopedResource<HBITMAP, GdiObjectTraits<HBITMAP>>;
using ScopedBrush = CScopedResource<HBRUSH, GdiObjectTraits<HBRUSH>>;
using ScopedPen = CScopedResource<HPEN, GdiObjectTraits<HPEN>>;
using ScopedFont = CScopedResource<HFONT, GdiObjectTraits<HFONT>>;
using ScopedRegion = CScopedResource<HRGN, GdiObjectTraits<HRGN>>;
using ScopedMemoryDC = CScopedResource<HDC, MemoryDCTraits>;
using ScopedRegKey = CScopedResource<HKEY, RegKeyTraits>;
using ScopedLibrary = CScopedResource<HMODULE, LibraryTraits>;

// A DC from GetDC, given back with ReleaseDC on the same window.
class CScopedWindowDC {
 public:
  explicit CScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_) ++LiveCounts::dcs;
  }
  CScopedWindowDC(CScopedWindowDC&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  CScopedWindowDC(const CScopedWindowDC&) = delete;
  CScopedWindowDC& operator=(const CScopedWindowDC&) = delete;
  CScopedWindowDC& operator=(CScopedWindowDC&&) = delete;
  ~CScopedWindowDC() {
    if (dc_) {
      ReleaseDC(window_, dc_);
      --LiveCounts::dcs;
    }
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back when it goes.
class CScopedSelect {
 public:
  CScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  CScopedSelect(const CScopedSelect&) = delete;
  CScopedSelect& operator=(const CScopedSelect&) = delete;
  ~CScopedSelect() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace saver::win
