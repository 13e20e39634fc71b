// A stand-in for the Flash control, registered under its class id in the test prefix only: an
// in-process COM server whose object the ATL host can create and activate (IOleObject) and whose
// members answer the engine's dispatch ids (IDispatch). "Playing" advances one frame per 20 ms
// thread timer tick through a movie of 25 frames, wrapping when looping; Stop ends the ticks.
// The last movie path put is kept in the process environment (SAVER_TEST_FLASH_MOVIE) for tests.
// Once activated in its host, the movie shows as a window of plain kMovieColour over the host's
// area, so that screenshots can see where and how long it plays.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <atomic>

namespace {

constexpr CLSID kFlashClsid = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr LONG kTotalFrames = 25;
constexpr UINT kFrameMs = 20;
constexpr COLORREF kMovieColour = RGB(255, 0, 255);
const wchar_t kMovieWindowClass[] = L"SaverTestMovie";

HINSTANCE module_instance = nullptr;

// A child window of `parent` over `area`, painted in the movie colour by its class's brush. The class
// is looked up every time: COM may unload this library between movies, and the class registered by
// an earlier load can outlive it.
HWND CreateMovieWindow(HWND parent, const RECT& area) {
  WNDCLASSW window_class{};
  if (!GetClassInfoW(module_instance, kMovieWindowClass, &window_class)) {
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = module_instance;
    window_class.hbrBackground = CreateSolidBrush(kMovieColour);  // lives as long as the class
    window_class.lpszClassName = kMovieWindowClass;
    if (!RegisterClassW(&window_class)) return nullptr;
  }
  return CreateWindowExW(0, kMovieWindowClass, L"", WS_CHILD | WS_VISIBLE, area.left, area.top,
                         area.right - area.left, area.bottom - area.top, parent, nullptr, module_instance, nullptr);
}

std::atomic<long> live_objects{0};

class TestMovie;
TestMovie* ticking_movie = nullptr;  // one movie per thread in these tests

class TestMovie final : public IOleObject, public IDispatch {
 public:
  TestMovie() { ++live_objects; }
  ~TestMovie() {
    StopTicking();
    CloseWindow();
    if (site_) site_->Release();
    --live_objects;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleObject) *out = static_cast<IOleObject*>(this);
    else if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleObject: what the host calls; the rest is not needed.
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
    *site = site_;
    if (site_) site_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD) override {
    CloseWindow();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT area) override {
    if (parent && area && !window_) window_ = CreateMovieWindow(parent, *area);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* id) override {
    *id = kFlashClsid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override {
    *status = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IDispatch: the members by dispatch id, as the engine calls them.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0 && parameters && parameters->cArgs == 1;
    switch (id) {
      case 0x66:  // Movie
        if (!put || V_VT(&parameters->rgvarg[0]) != VT_BSTR) return DISP_E_TYPEMISMATCH;
        SetEnvironmentVariableW(L"SAVER_TEST_FLASH_MOVIE", V_BSTR(&parameters->rgvarg[0]));
        return S_OK;
      case 0x6A:  // Loop
        if (!put) return DISP_E_MEMBERNOTFOUND;
        loop_ = V_BOOL(&parameters->rgvarg[0]) != VARIANT_FALSE;
        return S_OK;
      case 0x87:  // Menu
        return put ? S_OK : DISP_E_MEMBERNOTFOUND;
      case 0x6B:  // FrameNum
        return Answer(result, frame_);
      case 0x7C:  // TotalFrames
        return Answer(result, kTotalFrames);
      case 0x70:  // Play
        StartTicking();
        return S_OK;
      case 0x71:  // Stop
        StopTicking();
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  static HRESULT Answer(VARIANT* result, LONG value) {
    if (!result) return E_POINTER;
    V_VT(result) = VT_I4;
    V_I4(result) = value;
    return S_OK;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (ticking_movie) ticking_movie->Advance();
  }
  void Advance() {
    if (frame_ < kTotalFrames - 1) ++frame_;
    else if (loop_) frame_ = 0;
  }
  void StartTicking() {
    StopTicking();
    ticking_movie = this;
    timer_ = SetTimer(nullptr, 0, kFrameMs, Tick);
  }
  // The window goes with its host's windows; it is destroyed here only while it is still there.
  void CloseWindow() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
  }
  void StopTicking() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
    if (ticking_movie == this) ticking_movie = nullptr;
  }

  std::atomic<ULONG> references_{1};
  IOleClientSite* site_ = nullptr;
  bool loop_ = false;
  LONG frame_ = 0;
  UINT_PTR timer_ = 0;
  HWND window_ = nullptr;
};

class TestMovieFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* movie = new TestMovie;
    const HRESULT result = movie->QueryInterface(iid, out);
    movie->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

TestMovieFactory factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) module_instance = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (clsid != kFlashClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return live_objects == 0 ? S_OK : S_FALSE; }
