// Device contexts: the single-glyph text calls a page is drawn and measured
// with (about 3,000 per page).
#include <benchmark/benchmark.h>

#include "platform/gdi.h"
#include "platform/system.h"
#include "platform/testing.h"

namespace {

// A window-sized surface with a 16-pixel Hebrew font selected.
struct PageSurface {
  explicit PageSurface(double ratio) {
    EnsureGuiToolkit();
    dc = TestCreateSurfaceDC(480, 640, ratio);
    LOGFONTW description{};
    description.lfHeight = 16;
    font = CreateFontIndirectW(&description);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
  }
  ~PageSurface() {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    TestDestroySurfaceDC(dc);
  }
  HDC dc;
  HFONT font;
};

// Letters and points as a page draws them: each alone in its cell.
constexpr char16_t kCodes[] = u"\u05D1\u05B0\u05E8\u05B5\u05D0\u05E9\u05B4\u05C1\u05D9\u05EA";
constexpr int kCodeCount = sizeof kCodes / sizeof kCodes[0] - 1;

void BM_DrawTextGlyph(benchmark::State& state) {
  PageSurface page(static_cast<double>(state.range(0)));
  int i = 0;
  int x = 0;
  for (auto _ : state) {
    RECT cell{x, 100, x + 9, 120};
    benchmark::DoNotOptimize(DrawTextW(page.dc, &kCodes[i], 1, &cell, 0x825));
    i = (i + 1) % kCodeCount;
    x = (x + 9) % 460;
  }
}
BENCHMARK(BM_DrawTextGlyph)->Arg(1)->Arg(2);

// A page as the painter draws it: 30 lines of 100 single-code-point calls,
// letters in cells of their widths from the right, points in the same cells.
void BM_DrawTextPage(benchmark::State& state) {
  PageSurface page(static_cast<double>(state.range(0)));
  for (auto _ : state) {
    for (int line = 0; line < 30; ++line) {
      int right = 470;
      RECT cell{0, 10 + line * 20, 0, 30 + line * 20};
      for (int i = 0; i < 100; ++i) {
        const char16_t code = kCodes[i % kCodeCount];
        SIZE size;
        GetTextExtentExPointW(page.dc, &code, 1, 0, nullptr, nullptr, &size);
        if (size.cx > 0) {
          cell.right = right;
          cell.left = right - size.cx;
          right = cell.left;
        }
        DrawTextW(page.dc, &code, 1, &cell, 0x825);
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * 3000);
}
BENCHMARK(BM_DrawTextPage)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_TextExtentGlyph(benchmark::State& state) {
  PageSurface page(1);
  int i = 0;
  for (auto _ : state) {
    SIZE size;
    benchmark::DoNotOptimize(
        GetTextExtentExPointW(page.dc, &kCodes[i], 1, 0, nullptr, nullptr, &size));
    i = (i + 1) % kCodeCount;
  }
}
BENCHMARK(BM_TextExtentGlyph);

}  // namespace
