#include "tests/platform/window_fixture.h"

#include "platform/gdi.h"

std::vector<Received> RecordingWindow::received_;
RECT RecordingWindow::lastPaint_;
LRESULT RecordingWindow::createResult_ = 0;
std::function<void(HWND, UINT)> RecordingWindow::react_;

LRESULT RecordingWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // WINDOWPOS lives only during the call: its flags are kept in wParam.
  if (message == WM_WINDOWPOSCHANGED)
    wParam = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
  received_.push_back(Received{message, wParam, lParam});
  if (react_) react_(window, message);
  switch (message) {
    case WM_CREATE: return createResult_;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      lastPaint_ = paint.rcPaint;
      EndPaint(window, &paint);
      return 0;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RecordingWindow::RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSW redraw{CS_HREDRAW | CS_VREDRAW, Proc, 0, 0, nullptr, nullptr, nullptr,
                     static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr, u"Recording"};
    WNDCLASSW plain = redraw;
    plain.style = 0;
    plain.lpszClassName = u"RecordingPlain";
    return RegisterClassW(&redraw) != 0 && RegisterClassW(&plain) != 0;
  }();
  ASSERT_TRUE(registered);
}

void RecordingWindow::SetUp() {
  RegisterOnce();
  received_.clear();
  createResult_ = 0;
  react_ = nullptr;
}

void RecordingWindow::TearDown() {
  if (IsWindow(window_)) DestroyWindow(window_);
  Pump();
}

HWND RecordingWindow::Create(DWORD style, LPCWSTR className) {
  window_ = CreateWindowExW(0, className, u"Recorder", style, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  return window_;
}

void RecordingWindow::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    DispatchMessageW(&message);
  }
}

std::vector<Received> RecordingWindow::Of(UINT message) const {
  std::vector<Received> found;
  for (const Received& entry : received_)
    if (entry.message == message) found.push_back(entry);
  return found;
}

std::vector<UINT> RecordingWindow::Numbers() const {
  std::vector<UINT> numbers;
  for (const Received& entry : received_) numbers.push_back(entry.message);
  return numbers;
}
