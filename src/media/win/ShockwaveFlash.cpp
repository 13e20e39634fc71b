#include "media/win/ShockwaveFlash.h"

#include <oleauto.h>

#include "media/win/FlashInstalled.h"

namespace saver::win {
namespace {

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

// The system's ATL library, loaded once per process and kept: its window class stays registered.
HMODULE AtlLibrary() {
  static const HMODULE library = LoadLibraryW(L"atl.dll");
  return library;
}

template <typename Function>
Function AtlFunction(const char* name) {
  const HMODULE library = AtlLibrary();
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

CShockwaveFlash::~CShockwaveFlash() {
  if (control_) control_->Release();
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool CShockwaveFlash::Create(DWORD style, const RECT& rect, HWND parent, UINT_PTR id) {
  const auto init = AtlFunction<AtlAxWinInitFunction>("AtlAxWinInit");
  const auto get_control = AtlFunction<AtlAxGetControlFunction>("AtlAxGetControl");
  if (!init || !get_control) return false;
  // Registers the host window class; a later call finds it there and may answer false.
  init();
  // The window's text names the control to create in it.
  window_ = CreateWindowExW(0, L"AtlAxWin", kFlashClassId, style, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr),
                            nullptr);
  if (!window_) return false;
  IUnknown* unknown = nullptr;
  if (FAILED(get_control(window_, &unknown)) || !unknown) return false;
  const HRESULT result = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&control_));
  unknown->Release();
  return SUCCEEDED(result) && control_;
}

void CShockwaveFlash::Put(DISPID id, VARIANT& value) {
  if (!control_) return;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{&value, &named, 1, 1};
  control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr, nullptr);
}

void CShockwaveFlash::Call(DISPID id) {
  if (!control_) return;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
}

std::int32_t CShockwaveFlash::GetInt(DISPID id) {
  if (!control_) return 0;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT result;
  VariantInit(&result);
  if (FAILED(control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                              nullptr)))
    return 0;
  VARIANT as_int;
  VariantInit(&as_int);
  const bool converted = SUCCEEDED(VariantChangeType(&as_int, &result, 0, VT_I4));
  VariantClear(&result);
  return converted ? V_I4(&as_int) : 0;
}

void CShockwaveFlash::PutMovie(const std::wstring& path) {
  VARIANT value;
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocString(path.c_str());
  Put(kMovie, value);
  VariantClear(&value);
}

void CShockwaveFlash::PutBool(DISPID id, bool on) {
  VARIANT value;
  V_VT(&value) = VT_BOOL;
  V_BOOL(&value) = on ? VARIANT_TRUE : VARIANT_FALSE;
  Put(id, value);
}

void CShockwaveFlash::Play() { Call(kPlay); }
void CShockwaveFlash::Stop() { Call(kStop); }
std::int32_t CShockwaveFlash::FrameNum() { return GetInt(kFrameNum); }
std::int32_t CShockwaveFlash::TotalFrames() { return GetInt(kTotalFrames); }

}  // namespace saver::win
