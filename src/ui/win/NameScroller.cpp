#include "ui/win/NameScroller.h"

#include "base/win/WorkerThread.h"


namespace saver::win {

CNameScroller::CNameScroller(HWND window, int left_width, const std::wstring& name)
    : window_(window),
      font_(CreateFontW(11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial")),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      exited_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  CScopedWindowDC window_dc(window_);
  ScopedMemoryDC dc(CreateCompatibleDC(window_dc.Get()));
  CScopedSelect select_font(dc.Get(), font_.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  const int char_width = metrics.tmMaxCharWidth;
  const int line_height = metrics.tmHeight;
  column_width_ = 2 * char_width;
  column_height_ = static_cast<int>(name.size()) * line_height + 1;
  column_ = ScopedBitmap(CreateCompatibleBitmap(window_dc.Get(), column_width_, column_height_));
  CScopedSelect select_column(dc.Get(), column_.Get());
  RECT all{0, 0, column_width_, column_height_};
  FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetTextColor(dc.Get(), kTextColour);
  SetBkMode(dc.Get(), TRANSPARENT);
  SetTextAlign(dc.Get(), TA_CENTER | TA_TOP);
  for (std::size_t i = 0; i < name.size(); ++i)
    TextOutW(dc.Get(), char_width, static_cast<int>(i) * line_height, &name[i], 1);

  RECT client{};
  GetClientRect(window_, &client);
  x_ = left_width + (client.right - column_width_ - left_width) / 2;
}

CNameScroller::~CNameScroller() {
  if (!thread_) return;
  SetEvent(stop_.Get());
  WaitForSingleObject(exited_.Get(), INFINITE);
  WaitForSingleObject(thread_.Get(), INFINITE);
}

bool CNameScroller::Start() {
  if (!stop_ || !exited_ || !column_) return false;
  thread_ = StartWorkerThread(ThreadMain, this);
  return thread_.Valid();
}

unsigned __stdcall CNameScroller::ThreadMain(void* self) {
  auto* scroller = static_cast<CNameScroller*>(self);
  scroller->Run();
  SetEvent(scroller->exited_.Get());
  return 0;
}

void CNameScroller::Run() {
  CScopedWindowDC window_dc(window_);
  ScopedMemoryDC source(CreateCompatibleDC(window_dc.Get()));
  CScopedSelect select(source.Get(), column_.Get());
  RECT client{};
  GetClientRect(window_, &client);
  int y = client.bottom;
  while (WaitForSingleObject(stop_.Get(), 0) != WAIT_OBJECT_0) {
    BitBlt(window_dc.Get(), x_, y, column_width_, column_height_, source.Get(), 0, 0, SRCCOPY);
    --y;
    if (y > client.top - column_height_)
      WaitForSingleObject(stop_.Get(), kStepMs);  // the step's pause, cut short by a stop
    else
      y = client.bottom;
  }
}

}  // namespace saver::win
