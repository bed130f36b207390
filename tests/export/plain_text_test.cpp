#include "export/plain_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "export/rtf.h"
#include "platform/clipboard.h"
#include "platform/msgbox.h"
#include "platform/clipboard_testing.h"
#include "text/convert.h"
#include "text/view.h"

namespace {

struct Record {
  BYTE attr;
  BYTE indent;
  std::vector<BYTE> text;
};

std::vector<BYTE> Article(const std::vector<Record>& records) {
  std::vector<BYTE> bytes;
  for (const Record& r : records) {
    bytes.push_back(r.attr);
    bytes.push_back(r.indent);
    bytes.insert(bytes.end(), r.text.begin(), r.text.end());
    bytes.push_back(0);
  }
  bytes.insert(bytes.end(), {0, 0, 0});
  return bytes;
}

// Right-to-left records are stored in display order, points before letters.
const std::vector<BYTE> kFixture = Article({
    {0xDC, 0x00, {112, 22, 114, 106, 21, 113}},  // title "nisan": final nun, qamats, samekh, ...
    {0xB1, 0x45, {22, 69, 32, 46, 97}},          // "alef. bet-dagesh qamats", five indent spaces
    {0x07, 200, {'x'}},                          // rule of 80 per cent; its text is skipped
    {0x87, 160, {}},                             // rule of 160 pixels, blank line after
    {0x07, 0, {}},                               // rule of width 0
    {0x01, 0x40, {16, 40, 98}},                  // left to right: kaf-qamats pair, '(', bet
});

const std::u16string kTwoEnds = u"\r\n\r\n";
const std::u16string kRules = std::u16string(80, u'-') + u"\r\n" + std::u16string(160, u'-') +
                              kTwoEnds + u"\r\n";

std::u16string Expected(const std::u16string& title, const std::u16string& paragraph,
                        const std::u16string& leftToRight) {
  return title + kTwoEnds + paragraph + u"     " + kTwoEnds + kRules + leftToRight + u"\r\n";
}

const std::u16string kUnicodeStored = Expected(u"\u05DF\u05B8\u05E1\u05D9\u05B4\u05E0",
                                               u"\u05B8\uFB31 .\u05D0", u"\u05B8\u05DA(\u05D1");
const std::u16string kUnicodeReversed = Expected(u"\u05E0\u05B4\u05D9\u05E1\u05B8\u05DF",
                                                 u"\u05D0. \uFB31\u05B8", u"\u05D1)\u05DA\u05B8");
const std::u16string kSingleByteStored =
    Expected(u"\u00EF\u00F1\u00E9\u00F0", u"\u00E1 .\u00E0", u"\u00EA(\u00E1");
const std::u16string kSingleByteReversed =
    Expected(u"\u00F0\u00E9\u00F1\u00EF", u"\u00E0. \u00E1", u"\u00E1)\u00EA");

std::u16string Printable(const std::u16string& text) {
  std::u16string s;
  for (char16_t c : text) s += c == u'\r' ? std::u16string(u"\\r") : c == u'\n' ? u"\\n\n" : std::u16string(1, c);
  return s;
}

class PlainText : public testing::Test {
 protected:
  void SetUp() override {
    ClearAppState();
    shown.clear();
    SetMessageBoxHook(Record);
  }
  void TearDown() override { SetMessageBoxHook(nullptr); }

  static int Record(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    shown.push_back({owner, text, caption == nullptr, type});
    return IDOK;
  }
  struct Shown {
    HWND owner;
    std::u16string text;
    bool defaultCaption;
    UINT type;
  };
  static inline std::vector<Shown> shown;

  static std::u16string ConvertFixture(const std::vector<BYTE>& article) {
    std::size_t size = 0;
    WCHAR* buffer = AllocCopyBuffer(article.data(), size);
    std::u16string text = ArticleToText(article.data(), buffer, size) == 0 ? buffer : u"<failed>";
    std::free(buffer);
    return text;
  }
};

TEST_F(PlainText, ArticleToTextForEachFontBase) {
  struct Case {
    int base;
    bool reverse;
    const std::u16string& text;
  };
  const Case cases[] = {
      {kUnicodeBase, false, kUnicodeStored},      {kUnicodeBase, true, kUnicodeReversed},
      {kSingleByteBase, false, kSingleByteStored}, {kSingleByteBase, true, kSingleByteReversed},
      {kLowBase, false, kSingleByteStored},       {kLowBase, true, kSingleByteStored},
  };
  for (const Case& c : cases) {
    AppState.Font.FontAsciiBase = c.base;
    AppState.Flags = c.reverse ? kReverseFlag : 0;
    EXPECT_EQ(Printable(ConvertFixture(kFixture)), Printable(c.text))
        << "base " << c.base << (c.reverse ? ", Reverse" : "");
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(PlainText, CopyBufferCountsEveryPart) {
  const ArticleMeasure m = MeasureArticle(kFixture.data());
  EXPECT_EQ(m.bytes, kFixture.size() - 3);
  EXPECT_EQ(m.lineEnds, 6u + 3u);
  EXPECT_EQ(m.hyphens, 80u + 160u);
  EXPECT_EQ(m.indentSpaces, 5u);
  std::size_t size = 0;
  WCHAR* buffer = AllocCopyBuffer(kFixture.data(), size);
  EXPECT_EQ(size, 2 * (m.bytes + m.bytes / 2 + 2 * m.lineEnds + 240 + 5 + 1));
  std::free(buffer);
}

TEST_F(PlainText, TextThatWouldNotFitStopsAtTheBufferEnd) {
  AppState.MainWindow = reinterpret_cast<HWND>(0x1234);
  AppState.Font.FontAsciiBase = kUnicodeBase;
  const std::vector<BYTE> pairs = Article({{0x01, 0, std::vector<BYTE>(100, 16)}});
  constexpr std::size_t kCopyBufferSize = SIZE_MAX;
  struct Case {
    const char* name;
    const std::vector<BYTE>& article;
    std::size_t characters;  // room in the buffer
    int result;
  };
  const std::size_t fixtureLength = kUnicodeStored.size() + 1;
  const Case cases[] = {
      {"pair codes need more than the copy buffer", pairs, kCopyBufferSize, 1},
      {"exactly enough room", kFixture, fixtureLength, 0},
      {"one character short", kFixture, fixtureLength - 1, 1},
      {"no room at all", kFixture, 0, 1},
  };
  for (const Case& c : cases) {
    shown.clear();
    std::size_t size = 0;
    if (c.characters == kCopyBufferSize)
      std::free(AllocCopyBuffer(c.article.data(), size));
    else
      size = c.characters * 2;
    std::vector<WCHAR> buffer(size / 2 + 64, 0xAAAA);
    EXPECT_EQ(ArticleToText(c.article.data(), buffer.data(), size), c.result) << c.name;
    for (std::size_t i = size / 2; i < buffer.size(); ++i)
      ASSERT_EQ(buffer[i], 0xAAAA) << c.name << ": wrote past the end at " << i;
    if (c.result == 0) continue;
    ASSERT_EQ(shown.size(), 1u) << c.name;
    EXPECT_EQ(shown[0].text, u"(obuf > (start + size))");
    EXPECT_EQ(shown[0].owner, AppState.MainWindow);
    EXPECT_TRUE(shown[0].defaultCaption);
    EXPECT_EQ(shown[0].type, MB_OK);
  }
}

// --- CopyArticle and the clipboard (Qt's in-process clipboard) -------------

std::u16string ClipboardText() {
  std::size_t length = 0;
  BYTE* data = ReadClipboard(0, length);
  std::u16string text = data == nullptr ? u"<none>" : std::u16string(reinterpret_cast<WCHAR*>(data), length / 2);
  std::free(data);
  return text;
}

std::string ClipboardRtf() {
  std::size_t length = 0;
  BYTE* data = ReadClipboard(RegisterClipboardFormatW(u"Rich Text Format"), length);
  std::string rtf = data == nullptr ? "<none>" : std::string(reinterpret_cast<char*>(data), length);
  std::free(data);
  return rtf;
}

std::string RtfDocument(const std::u16string& text) {
  std::string body(RtfBody(text.c_str(), nullptr), '\0');
  RtfBody(text.c_str(), body.data());
  return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}{\\colortbl\\red0\\green0"
         "\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\rtldoc\\pard\\rtlpar\\qr"
         "\\lang1033\\f0\\fs20\\uc0\r\n" + body + "}\r\n";
}

class CopyArticleTest : public PlainText {
 protected:
  void SetUp() override {
    PlainText::SetUp();
    view.Text = article.data();
  }
  std::vector<BYTE> article = kFixture;
  TextView view{};
};

TEST_F(CopyArticleTest, SingleByteFontsCopyTextAsThePageShowsIt) {
  for (const bool reverse : {false, true}) {
    AppState.Font.FontAsciiBase = kSingleByteBase;
    AppState.Flags = reverse ? kReverseFlag | 1 : 1;
    const std::uint32_t flags = AppState.Flags;
    CopyArticle(&view, CopyMode::Replace);
    EXPECT_EQ(Printable(ClipboardText()), Printable(reverse ? kSingleByteReversed : kSingleByteStored));
    EXPECT_EQ(AppState.Flags, flags);
  }
}

TEST_F(CopyArticleTest, UnicodeFontsCopyRtfInReadingOrder) {
  for (const bool reverse : {false, true}) {
    AppState.Font.FontAsciiBase = kUnicodeBase;
    AppState.Flags = reverse ? kReverseFlag : 0;
    CopyArticle(&view, CopyMode::Replace);
    EXPECT_EQ(ClipboardRtf(), RtfDocument(kUnicodeReversed)) << (reverse ? "Reverse" : "");
    EXPECT_EQ(ClipboardText(), u"<none>");
    EXPECT_EQ(AppState.Flags, reverse ? kReverseFlag : 0u);
  }
}

TEST_F(CopyArticleTest, AppendKeepsWhatTheClipboardHeld) {
  AppState.Font.FontAsciiBase = kSingleByteBase;
  CopyArticle(&view, CopyMode::Replace);
  CopyArticle(&view, CopyMode::Append);
  CopyArticle(&view, CopyMode::Append);
  EXPECT_EQ(ClipboardText(), kSingleByteStored + kSingleByteStored + kSingleByteStored);

  TestPutForeignClipboardData("text/plain", "other program\xD7\x90");
  CopyArticle(&view, CopyMode::Append);
  EXPECT_EQ(ClipboardText(), u"other program\u05D0" + kSingleByteStored);

  TestPutForeignClipboardData("image/png", "\x89PNG");
  CopyArticle(&view, CopyMode::Append);
  EXPECT_EQ(ClipboardText(), kSingleByteStored) << "no text to append to";
}

TEST_F(CopyArticleTest, NothingToCopyLeavesTheClipboardAlone) {
  AppState.Font.FontAsciiBase = kSingleByteBase;
  TestPutForeignClipboardData("text/plain", "kept");
  CopyArticle(nullptr, CopyMode::Replace);
  TextView empty{};
  CopyArticle(&empty, CopyMode::Replace);
  article = Article({{0x01, 0, std::vector<BYTE>(100, 16)}});
  view.Text = article.data();
  AppState.Font.FontAsciiBase = kUnicodeBase;
  CopyArticle(&view, CopyMode::Append);  // does not fit
  AppState.Font.FontAsciiBase = kSingleByteBase;
  EXPECT_EQ(ClipboardText(), u"kept");
  EXPECT_EQ(shown.size(), 1u);
}

}  // namespace
