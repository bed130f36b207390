// A window whose procedure records every message it receives, and a pump
// that dispatches what is waiting without blocking.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/window.h"

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class RecordingWindow : public testing::Test {
 protected:
  static constexpr LPCWSTR kRedrawClass = u"Recording";  // CS_HREDRAW | CS_VREDRAW
  static constexpr LPCWSTR kPlainClass = u"RecordingPlain";

  void SetUp() override;
  void TearDown() override;

  HWND Create(DWORD style = WS_VSCROLL, LPCWSTR className = kRedrawClass);
  // Dispatches every message that is waiting (paints included).
  static void Pump();
  // The messages received with that number, in order.
  std::vector<Received> Of(UINT message) const;
  std::vector<UINT> Numbers() const;

  static void RegisterOnce();
  static LRESULT Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  static std::vector<Received> received_;
  static RECT lastPaint_;
  static LRESULT createResult_;
  // Called with every message after it is recorded.
  static std::function<void(HWND, UINT)> react_;
};
