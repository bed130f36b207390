// kestro-render-pages OUT_DIR [ARTICLE [PAGE]]: lays out and paints one page
// of a shipped Article (default: the longest, page 1) into a 480 x 640
// memory DC in each Hebrew font at 12, 16, 24 and 32 px, and saves each as
// a PNG, so the placement of letters, points and numbers can be looked at.
// At 16 px a second image shows a search hit and the title banner.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "platform/gdi.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "res/book_resources.h"
#include "store/article_store.h"
#include "text/convert.h"
#include "text/layout.h"
#include "text/paint.h"
#include "text/scroll.h"
#include "text/view.h"
#include "tools/render-pages/png_writer.h"

namespace {

constexpr int kImageWidth = 480;
constexpr int kImageHeight = 640;
constexpr RECT kTextArea{10, 10, 470, 630};
constexpr int kArticleCount = 12;

const char* const kFaces[] = {"David CLM", "Frank Ruehl CLM", "Ezra SIL", "DejaVu Sans"};
const int kSizes[] = {12, 16, 24, 32};

std::string Arguments(LPCWSTR commandLine) {
  std::string line;
  for (; *commandLine != 0; ++commandLine) line += static_cast<char>(*commandLine);
  return line;
}

int ArticleLength(const BYTE* text) {
  int p = 0;
  while (text[p] != 0) {
    p += 2;
    while (text[p] != 0) ++p;
    ++p;
  }
  return p;
}

int LongestArticle() {
  int best = 1, bestLength = 0;
  for (int number = 1; number <= kArticleCount; ++number) {
    BYTE* text = LoadArticle(number);
    if (text != nullptr && ArticleLength(text) > bestLength) {
      best = number;
      bestLength = ArticleLength(text);
    }
    std::free(text);
  }
  return best;
}

FontChoice Choice(const char* face, int size) {
  FontChoice choice{};
  for (int i = 0; face[i] != 0 && i < 31; ++i) choice.FontName[i] = static_cast<WCHAR>(face[i]);
  choice.FontSize = size;
  choice.FontAsciiBase = kUnicodeBase;
  return choice;
}

bool SaveDC(HDC dc, const std::string& path) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(kImageWidth * kImageHeight * 3);
  for (int y = 0; y < kImageHeight; ++y) {
    for (int x = 0; x < kImageWidth; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  return WritePng(path, kImageWidth, kImageHeight, rgb);
}

// Marks the third to fifth words of the page's second text line as a hit,
// reaching into the line after it.
void MarkHit(TextView* view) {
  const LineEntry* line = view->Lines;
  for (int shown = 0; shown < view->TopLine && line->Attr != 0; shown += DisplayLines(*line)) ++line;
  while (line->Attr != 0 && (IsRule(line->Attr) || line->HangWidth == 0)) ++line;
  if (line->Attr == 0 || line[1].Attr == 0) return;
  view->HitStart = static_cast<std::uint16_t>(line[1].Offset + line[1].Count - 6);
  view->HitEnd = static_cast<std::uint16_t>(line->Offset + 8);
}

bool Render(const std::string& outDir, int article, int page, const char* face, int size, bool withHit) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, kImageWidth, kImageHeight);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  FillStock(dc, 0, 0, kImageWidth, kImageHeight, LTGRAY_BRUSH);

  AppState.Font = Choice(face, size);
  TextView* view = CreateView(dc, &kTextArea, &AppState.Font, 100);
  bool saved = false;
  if (view != nullptr && LayoutArticle(view, LoadArticle(article), LayoutMode::Replace) == kLaidOut) {
    PaintView(view, PaintErase::Erase);
    for (int p = 1; p < page; ++p) ScrollView(view, view->PageLines, ScrollPaint::Repaint, ScrollClamp::Clamp);
    if (withHit) {
      MarkHit(view);
      PaintView(view, PaintErase::Erase);
      ShowArticleBanner(view);
    }
    std::string name = face;
    for (char& c : name) c = c == ' ' ? '-' : c;
    const std::string path = outDir + "/article" + std::to_string(article) + "-p" + std::to_string(page) + "-" +
                             name + "-" + std::to_string(size) + (withHit ? "-hit" : "") + ".png";
    saved = SaveDC(dc, path);
    std::printf("%s: %d display lines, page of %d\n", path.c_str(), view->TotalLines, view->PageLines);
  }
  FreeView(view, FreeRecord::Release);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return saved;
}

int RenderPages(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  std::vector<std::string> args;
  std::string word;
  for (char c : Arguments(commandLine) + " ") {
    if (c != ' ') word += c;
    else if (!word.empty()) args.push_back(std::exchange(word, {}));
  }
  if (args.empty()) {
    std::fputs("usage: kestro-render-pages OUT_DIR [ARTICLE [PAGE]]\n", stderr);
    return 2;
  }
  static std::vector<ResourceEntry> table;
  AddBookResources(table);
  InstallResources(table.data(), table.size());
  const int article = args.size() > 1 ? std::atoi(args[1].c_str()) : LongestArticle();
  const int page = args.size() > 2 ? std::atoi(args[2].c_str()) : 1;

  bool ok = true;
  for (const char* face : kFaces) {
    for (int size : kSizes) ok = Render(args[0], article, page, face, size, false) && ok;
    ok = Render(args[0], article, page, face, 16, true) && ok;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) { return RunWinMain(argc, argv, RenderPages); }
