#include "export/rtf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "export/clipboard_data.h"
#include "platform/clipboard.h"
#include "platform/clipboard_testing.h"
#include "text/text_code.h"

namespace {

const std::string kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}{\\colortbl\\red0\\green0"
    "\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\rtldoc\\pard\\rtlpar\\qr"
    "\\lang1033\\f0\\fs20\\uc0\r\n";
const std::string kSeparator = "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";
const std::string kForeignReset = "\\par\\pard\\plain\\rtlpar\\uc0\r\n";
const std::string kPar = "\\par\\par\r\n";

std::string Body(const std::u16string& text) {
  const std::size_t measured = RtfBody(text.c_str(), nullptr);
  std::string out(measured + 1, '#');
  const std::size_t written = RtfBody(text.c_str(), out.data());
  EXPECT_EQ(written, measured);
  EXPECT_EQ(out[written], '\0');
  out.resize(written);
  return out;
}

std::string Printable(const std::u16string& text) {
  std::string s;
  for (char16_t c : text) s += c >= 0x20 && c < 0x7F ? std::string(1, char(c)) : "<" + std::to_string(c) + ">";
  return s;
}

TEST(RtfBody, WritesEachCharacterAsAReaderMustSeeIt) {
  struct Case {
    const char* name;
    std::u16string text;
    std::string body;
  };
  const Case cases[] = {
      {"bet with dagesh and a line end", u"\uFB31\r\n", "\\u1489\\u1468" + kPar + kPar},
      {"three spaces between letters", u"\u05D0   \u05D1", "\\u1488    \\u1489" + kPar},
      {"two line ends make one paragraph end", u"\u05D0\r\n\r\n\u05D1",
       "\\u1488" + kPar + "\\u1489" + kPar},
      {"lone CR and lone LF", u"\u05D0\r\u05D1\n", "\\u1488" + kPar + "\\u1489" + kPar + kPar},
      {"shin with dagesh and shin dot", u"\uFB2C", "\\u1513\\u1468\\u1473" + kPar},
      {"vav with holam", u"\uFB4B", "\\u1493\\u1465" + kPar},
      {"vowel point", u"\u05B8", "\\u1464" + kPar},
      {"empty text", u"", kPar},
      {"backslash and braces", u"\\{}", "\\\\\\{\\}" + kPar},
      {"braces after a letter", u"\u05D0}", "\\u1488\\}" + kPar},
      {"digit after a letter", u"\u05D0" u"12", "\\u1488 12" + kPar},
      {"digit after a split form", u"\uFB31" u"7", "\\u1489\\u1468 7" + kPar},
      {"space after punctuation stays single", u"\u05D0. \u05D1", "\\u1488. \\u1489" + kPar},
      {"leading spaces stay as they are", u"  .", "  ." + kPar},
      {"spaces after a paragraph end", u"\u05D0\r\n \u05D1", "\\u1488" + kPar + " \\u1489" + kPar},
      {"maqaf between words", u"\u05D0-\u05D1", "\\u1488-\\u1489" + kPar},
      {"form without a row above 32767", u"\uFB2E", "\\u-1234" + kPar},
      {"highest code unit", u"\uFFFF", "\\u-1" + kPar},
      {"32767 and 32768", u"\u7FFF\u8000", "\\u32767\\u-32768" + kPar},
      {"control character and DEL", u"\t\u007F", "\\u9\\u127" + kPar},
      {"Latin-1 byte value", u"\u00E0", "\\u224" + kPar},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.text), c.body) << c.name << ": " << Printable(c.text);
}

TEST(RtfBody, MeasureNeverBelowWhatIsWritten) {
  const std::u16string pool = u" \r\n.,-\\{}09\u05D0\u05B8\u05BC\uFB2C\uFB31\uFB4B\uFB2E\u00E0\u7FFF\u8000\uFFFF\t";
  std::mt19937 random(1234);
  for (int round = 0; round < 2000; ++round) {
    std::u16string text(random() % 60, u' ');
    for (char16_t& c : text) c = pool[random() % pool.size()];
    const std::size_t measured = RtfBody(text.c_str(), nullptr);
    std::vector<char> out(measured + 64, '#');
    const std::size_t written = RtfBody(text.c_str(), out.data());
    ASSERT_GE(measured, written) << Printable(text);
    ASSERT_EQ(out[written], '\0') << Printable(text);
    ASSERT_EQ(out[measured + 1], '#') << "wrote past the measured length: " << Printable(text);
  }
}

TEST(DecomposeForm, EveryFormTheTextCodeMakesHasARow) {
  for (const textcode::UnicodePair& pair : textcode::kUnicodeColumn)
    for (char16_t ch : {pair.first, pair.second})
      if (ch >= 0xFB00) {
        EXPECT_NE(DecomposeForm(ch), nullptr) << std::hex << int(ch);
      }
  for (char16_t ch : {u'\u05D0', u'\u05EA', u'\uFB2E', u'\uFB2F', u'\uFB4C', u'\uFB30', u'\uFB43'}) {
    const FormDecomposition* row = DecomposeForm(ch);
    const bool expected = ch == 0xFB30 || ch == 0xFB43;
    EXPECT_EQ(row != nullptr, expected) << std::hex << int(ch);
    if (row != nullptr) {
      EXPECT_EQ(row->form, ch);
    }
  }
}

// --- the document on the clipboard (Qt's in-process clipboard) -------------

UINT RtfFormat() { return RegisterClipboardFormatW(u"Rich Text Format"); }

std::string ClipboardRtf() {
  std::size_t length = 0;
  BYTE* data = ReadClipboard(RtfFormat(), length);
  std::string rtf = data == nullptr ? "<none>" : std::string(reinterpret_cast<char*>(data), length);
  std::free(data);
  return rtf;
}

bool ClipboardHasText() {
  std::size_t length = 0;
  BYTE* data = ReadClipboard(0, length);
  std::free(data);
  return data != nullptr;
}

const std::u16string kFirst = u"\uFB31\u05B8\r\n\r\n";
const std::u16string kSecond = u"\u05D0 \u05D1\r\n";
const std::u16string kThird = u"\uFB4B.\r\n";

TEST(PutRtf, CopyThenAppendTwiceKeepsOneHeaderAndOneClosingBrace) {
  PutRtf(kFirst.c_str(), CopyMode::Replace);
  EXPECT_EQ(ClipboardRtf(), kHeader + Body(kFirst) + "}\r\n");
  EXPECT_FALSE(ClipboardHasText()) << "RTF is the only format";
  PutRtf(kSecond.c_str(), CopyMode::Append);
  PutRtf(kThird.c_str(), CopyMode::Append);
  EXPECT_EQ(ClipboardRtf(), kHeader + Body(kFirst) + kSeparator + Body(kSecond) + kSeparator +
                                Body(kThird) + "}\r\n");
}

TEST(PutRtf, AppendContinuesWhatTheClipboardHolds) {
  struct Case {
    const char* name;
    const char* mimeType;
    std::string held;
    std::string expected;  // the document before the Article's body
  };
  const std::string other = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\uc1 Hello\\par }";
  const Case cases[] = {
      {"another program's RTF ending with a brace and CR LF pairs", "text/rtf",
       other + "\r\n\r\n", other.substr(0, other.size() - 1) + kForeignReset + kSeparator},
      {"RTF that lost its closing brace", "text/rtf", "{\\rtf1 Hi\\par \t\r\n",
       "{\\rtf1 Hi\\par" + kForeignReset + kSeparator},
      {"no RTF, only text", "text/plain", "plain words", kHeader},
      {"RTF data that is white space only", "text/rtf", " \r\n\t", kHeader},
      {"RTF data that is no RTF document", "text/rtf", "Hello}", kHeader},
      {"empty RTF data", "text/rtf", "", kHeader},
      {"RTF with a zero byte inside", "text/rtf", std::string("{\\rtf1 A}\0{\\rtf1 B}", 19),
       "{\\rtf1 A" + kForeignReset + kSeparator},
  };
  for (const Case& c : cases) {
    TestPutForeignClipboardData(c.mimeType, c.held);
    PutRtf(kSecond.c_str(), CopyMode::Append);
    EXPECT_EQ(ClipboardRtf(), c.expected + Body(kSecond) + "}\r\n") << c.name;
  }
}

TEST(PutRtf, ClipboardThatCannotBeOpenedKeepsItsContent) {
  PutRtf(kFirst.c_str(), CopyMode::Replace);
  const std::string before = ClipboardRtf();
  ASSERT_TRUE(OpenClipboard(nullptr));
  PutRtf(kSecond.c_str(), CopyMode::Append);
  PutRtf(kSecond.c_str(), CopyMode::Replace);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(ClipboardRtf(), before);
}

}  // namespace
