#pragma once
// The Shockwave Flash control, hosted in an "AtlAxWin" window of the system's ATL library, and
// driven through the dispatch ids of the members this engine uses. Every call fails quietly: the
// control reports no error to the show.
#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>

namespace saver::win {

class CShockwaveFlash {
 public:
  // Dispatch ids of the control's members.
  enum DispatchId : DISPID {
    kMovie = 0x66,        // property put, string: the movie's file path
    kLoop = 0x6A,         // property put, bool
    kFrameNum = 0x6B,     // property get, 32-bit: the current frame
    kPlay = 0x70,         // method
    kStop = 0x71,         // method
    kTotalFrames = 0x7C,  // property get, 32-bit
    kMenu = 0x87,         // property put, bool: the context menu
  };

  CShockwaveFlash() = default;
  CShockwaveFlash(const CShockwaveFlash&) = delete;
  CShockwaveFlash& operator=(const CShockwaveFlash&) = delete;
  ~CShockwaveFlash();

  // Creates the control's window on the calling thread, which must have initialised OLE.
  bool Create(DWORD style, const RECT& rect, HWND parent, UINT_PTR id);
  HWND Handle() const { return window_; }

  void PutMovie(const std::wstring& path);
  void PutLoop(bool loop) { PutBool(kLoop, loop); }
  void PutMenu(bool menu) { PutBool(kMenu, menu); }
  void Play();
  void Stop();
  std::int32_t FrameNum();
  std::int32_t TotalFrames();

  std::int32_t time_limit = -1;  // milliseconds; the host window's timer period

 private:
  void Put(DISPID id, VARIANT& value);
  void PutBool(DISPID id, bool on);
  void Call(DISPID id);
  std::int32_t GetInt(DISPID id);

  HWND window_ = nullptr;
  IDispatch* control_ = nullptr;
};

}  // namespace saver::win
