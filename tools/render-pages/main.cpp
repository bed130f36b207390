// kestro-render-pages OUT_DIR [ARTICLE [PAGE]]: lays out and paints one page
// of a shipped Article (default: Article 1, page 1) into a 480 x 640
// memory DC in each Hebrew font at 12, 16, 24 and 32 px, and saves each as
// a PNG, so the placement of letters, points and numbers can be looked at.
// At 16 px a second image shows a search hit and the title banner.
// ARTICLE "points" shows every vowel point under or over several letters
// and every pair code instead.
#include <algorithm>
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

const char* const kFaces[] = {"David CLM", "Frank Ruehl CLM", "Ezra SIL", "DejaVu Sans"};
const int kSizes[] = {12, 16, 24, 32};

std::string Arguments(LPCWSTR commandLine) {
  std::string line;
  for (; *commandLine != 0; ++commandLine) line += static_cast<char>(*commandLine);
  return line;
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

// Reading order: a letter, then its points. A right-to-left record stores
// the reverse (display order).
void AddRecord(std::vector<BYTE>& article, BYTE attr, std::vector<BYTE> reading) {
  article.push_back(attr);
  article.push_back(0);
  article.insert(article.end(), reading.rbegin(), reading.rend());
  article.push_back(0);
}

// Every point 21..31 under or over bet, lamed, shin, final kaf and yod, and
// words with the pair codes and marked letters.
BYTE* PointSampler() {
  std::vector<BYTE> article;
  AddRecord(article, 0xDC, {'p', 0x18, 'w', 0x1F, ' ', 'p', 0x18, 'i', 0x15, 'z', 0x1F, 'a'});
  for (BYTE point = 21; point <= 31; ++point) {
    std::vector<BYTE> line{static_cast<BYTE>('0' + (point - 20) / 10), static_cast<BYTE>('0' + (point - 20) % 10),
                           '.'};
    for (BYTE letter : {'b', 'm', 'z', 'k', 'j', 'r', 'E', 'A'}) line.insert(line.end(), {' ', letter, point});
    AddRecord(article, 0xB1, line);
  }
  // mem segol lamed segol final kaf with sheva; lamed sheva final kaf with
  // qamats; shin qamats lamed vav-holam final mem; lamed-holam alef;
  // kaf-dagesh holam lamed; lamed-dagesh holam; the dagesh kaf pairs.
  AddRecord(article, 0xB1,
            {'o', 0x19, 'm', 0x19, 0x12, ' ', 'm', 0x1B, 0x10, ' ', 'A', 0x16, 'm', 'X', 'n', ' ', 'Z', 'a', ' ', 'N',
             0x1F, 'm', ' ', 'Y', ' ', 0x11, ' ', 0x13, ' ', 'b', 0x16, 0x11});
  article.insert(article.end(), {0, 0, 0});
  auto* text = static_cast<BYTE*>(std::malloc(article.size()));
  std::copy(article.begin(), article.end(), text);
  return text;
}

bool Render(const std::string& outDir, int article, int page, const char* face, int size, bool withHit) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, kImageWidth, kImageHeight);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  FillStock(dc, 0, 0, kImageWidth, kImageHeight, LTGRAY_BRUSH);

  AppState.Font = Choice(face, size);
  TextView* view = CreateView(dc, &kTextArea, &AppState.Font, 100);
  bool saved = false;
  BYTE* text = article == 0 ? PointSampler() : LoadArticle(article);
  if (view != nullptr && LayoutArticle(view, text, LayoutMode::Replace) == kLaidOut) {
    PaintView(view, PaintErase::Erase);
    for (int p = 1; p < page; ++p) ScrollView(view, view->PageLines, ScrollPaint::Repaint, ScrollClamp::Clamp);
    if (withHit) {
      MarkHit(view);
      PaintView(view, PaintErase::Erase);
      ShowArticleBanner(view);
    }
    std::string name = face;
    for (char& c : name) c = c == ' ' ? '-' : c;
    const std::string what = article == 0 ? "points" : "article" + std::to_string(article);
    const std::string path = outDir + "/" + what + "-p" + std::to_string(page) + "-" +
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
  // Article 0 stands for the point sampler.
  const int article = args.size() < 2 ? 1 : args[1] == "points" ? 0 : std::atoi(args[1].c_str());
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
