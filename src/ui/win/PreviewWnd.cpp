#include "ui/win/PreviewWnd.h"

#include <utility>

#include "res/resource.h"

namespace saver::win {

CPreviewWnd::CPreviewWnd(std::wstring application_name)
    : application_name_(std::move(application_name)),
      picture_(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW))) {}

CPreviewWnd::~CPreviewWnd() {
  if (Handle()) DestroyWindow(Handle());
}

bool CPreviewWnd::Create(HWND parent) {
  RECT client{};
  if (!GetClientRect(parent, &client)) return false;
  return CreateBound(0, WS_CHILD | WS_VISIBLE, client, parent);
}

void CPreviewWnd::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  if (picture_) {
    ScopedMemoryDC source(CreateCompatibleDC(dc));
    CScopedSelect select(source.Get(), picture_.Get());
    BitBlt(dc, 0, 0, kBlitWidth, kBlitHeight, source.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(Handle(), &paint);
}

LRESULT CPreviewWnd::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      scroller_ = std::make_unique<CNameScroller>(Handle(), kBlitWidth, application_name_);
      scroller_->Start();
      SetTimer(Handle(), kFlushTimerId, kFlushTimerMs, nullptr);
      return 0;
    case WM_TIMER:
      if (wparam == kFlushTimerId) {
        GdiFlush();
        return 0;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      return 1;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DESTROY:
      KillTimer(Handle(), kFlushTimerId);
      scroller_.reset();  // stops the scroller thread and waits for it
      PostQuitMessage(0);
      break;
  }
  return Default(message, wparam, lparam);
}

}  // namespace saver::win
