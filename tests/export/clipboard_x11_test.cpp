// The export against a real X clipboard (run under xvfb-run): what the reader
// puts there is what xclip reads, and it appends to what xclip put there.
#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "export/plain_text.h"
#include "export/rtf.h"
#include "platform/clipboard_testing.h"
#include "text/convert.h"
#include "text/view.h"

namespace {

const std::string kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}{\\colortbl\\red0\\green0"
    "\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\rtldoc\\pard\\rtlpar\\qr"
    "\\lang1033\\f0\\fs20\\uc0\r\n";
const std::u16string kArticle = u"\uFB31\u05B8\u05D9\u05EA \u05D0.\r\n\r\n";

std::string Abbreviated(const std::string& text) {
  if (text.size() <= 120) return text;
  return text.substr(0, 50) + "...(" + std::to_string(text.size()) + " bytes)..." +
         text.substr(text.size() - 50);
}

class X11Clipboard : public testing::Test {
 protected:
  void SetUp() override {
    if (TestGuiPlatformName() != "xcb") GTEST_SKIP() << "needs an X server (run under xvfb-run)";
    ClearAppState();
  }

  static std::string Xclip(const std::string& target) {
    const CommandResult result =
        TestRunCommand({"xclip", "-o", "-selection", "clipboard", "-t", target}, "");
    EXPECT_EQ(result.exitCode, 0) << "xclip -o -t " << target;
    return result.output;
  }

  // Another program owns the clipboard, holding `bytes` as `target`. xclip
  // takes the clipboard in the background, after it has returned.
  static void XclipPut(const std::string& target, const std::string& bytes) {
    const CommandResult result =
        TestRunCommand({"xclip", "-i", "-selection", "clipboard", "-t", target}, bytes);
    ASSERT_EQ(result.exitCode, 0) << "xclip -i -t " << target;
    bool taken = false;
    for (int attempt = 0; attempt < 50 && !taken; ++attempt) taken = Xclip(target) == bytes;
    ASSERT_TRUE(taken) << "xclip did not take the clipboard";
  }

  static std::string BodyOf(const std::u16string& text) {
    std::string body(RtfBody(text.c_str(), nullptr), '\0');
    RtfBody(text.c_str(), body.data());
    return body;
  }
};

// One paragraph, stored in display order: bet-dagesh with qamats, " .", alef.
BYTE paragraph[] = {0xB1, 0x40, 22, 69, ' ', '.', 97, 0, 0, 0, 0};

TEST_F(X11Clipboard, OtherProgramsReadTheRtfDocument) {
  AppState.Font.FontAsciiBase = kUnicodeBase;
  TextView view{};
  view.Text = paragraph;
  CopyArticle(&view, CopyMode::Replace);
  EXPECT_EQ(Xclip("text/rtf"),
            kHeader + "\\u1488. \\u1489\\u1468\\u1464\\par\\par\r\n\\par\\par\r\n}\r\n");
  EXPECT_EQ(Xclip("TARGETS").find("UTF8_STRING"), std::string::npos) << "RTF only";
}

TEST_F(X11Clipboard, OtherProgramsReadTheTextOfASingleByteFont) {
  AppState.Font.FontAsciiBase = kSingleByteBase;
  TextView view{};
  view.Text = paragraph;
  CopyArticle(&view, CopyMode::Replace);
  EXPECT_EQ(Xclip("UTF8_STRING"), "\xC3\xA1 .\xC3\xA0\r\n\r\n");
}

TEST_F(X11Clipboard, AppendsToAnotherProgramsRtf) {
  const std::string other = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\uc1 Hello\\par }\r\n\r\n";
  XclipPut("text/rtf", other);
  PutRtf(kArticle.c_str(), CopyMode::Append);
  EXPECT_EQ(Xclip("text/rtf"), other.substr(0, other.find("}\r\n")) +
                                   "\\par\\pard\\plain\\rtlpar\\uc0\r\n"
                                   "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n" +
                                   BodyOf(kArticle) + "}\r\n");
}

TEST_F(X11Clipboard, AppendsBehindAnotherProgramsText) {
  AppState.Font.FontAsciiBase = kSingleByteBase;
  struct Case {
    const char* name;
    std::string held;  // UTF-8 as the other program put it
    std::string kept;  // as it reads after the append
  };
  const Case cases[] = {
      {"text", "other \xD7\x90 text\n", "other \xD7\x90 text\n"},
      {"invalid UTF-8", "bad \xFF!", "bad \xEF\xBF\xBD!"},
      {"a zero byte inside", std::string("before\0after", 12), "before"},
      {"more than one X request holds", std::string(3 << 20, 'x'), std::string(3 << 20, 'x')},
  };
  for (const Case& c : cases) {
    XclipPut("UTF8_STRING", c.held);
    PutUnicodeText(u"\u00E0.\r\n", CopyMode::Append);
    const std::string read = Xclip("UTF8_STRING");
    const std::string expected = c.kept + "\xC3\xA0.\r\n";
    EXPECT_TRUE(read == expected) << c.name << "\n    read: " << Abbreviated(read)
                                  << "\nexpected: " << Abbreviated(expected);
  }
}

TEST_F(X11Clipboard, AppendWithoutRtfStartsANewDocument) {
  XclipPut("UTF8_STRING", "just text");
  PutRtf(kArticle.c_str(), CopyMode::Append);
  EXPECT_EQ(Xclip("text/rtf"), kHeader + BodyOf(kArticle) + "}\r\n");
}

}  // namespace
