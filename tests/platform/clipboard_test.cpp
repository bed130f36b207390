#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/clipboard_testing.h"

namespace {

HLOCAL Block(const void* data, std::size_t size) {
  HLOCAL block = LocalAlloc(LMEM_FIXED, size);
  std::memcpy(block, data, size);
  return block;
}

HLOCAL TextBlock(const std::u16string& text) { return Block(text.c_str(), (text.size() + 1) * 2); }

// The clipboard's text as GetClipboardData gives it, up to the block's end
// (terminator left out); "<none>" when there is none.
std::u16string HeldText() {
  EXPECT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  std::u16string text = u"<none>";
  if (data != nullptr) {
    const std::size_t size = LocalSize(data);
    EXPECT_GE(size, 2u);
    EXPECT_EQ(static_cast<const WCHAR*>(data)[size / 2 - 1], 0) << "terminator";
    text.assign(static_cast<const WCHAR*>(data), size / 2 - 1);
  }
  EXPECT_TRUE(CloseClipboard());
  return text;
}

std::string HeldBytes(UINT format) {
  EXPECT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(format);
  std::string bytes = "<none>";
  if (data != nullptr) {
    EXPECT_EQ(static_cast<const char*>(data)[LocalSize(data) - 1], 0) << "terminator";
    bytes.assign(static_cast<const char*>(data), LocalSize(data) - 1);
  }
  EXPECT_TRUE(CloseClipboard());
  return bytes;
}

TEST(LocalHeap, BlocksKnowTheirSize) {
  HLOCAL zeroed = LocalAlloc(LPTR, 100);
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(LocalSize(zeroed), 100u);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(static_cast<BYTE*>(zeroed)[i], 0);
  EXPECT_EQ(LocalFree(zeroed), nullptr);
  EXPECT_EQ(LocalAlloc(0x0002 /* movable */, 10), nullptr);
  EXPECT_EQ(LocalAlloc(LMEM_FIXED, SIZE_MAX), nullptr);
  EXPECT_EQ(LocalSize(nullptr), 0u);
}

TEST(Clipboard, RegisteredFormatsKeepTheirIdentifier) {
  const UINT rtf = RegisterClipboardFormatW(u"Rich Text Format");
  EXPECT_GE(rtf, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatW(u"Rich Text Format"), rtf);
  EXPECT_NE(RegisterClipboardFormatW(u"text/html"), rtf);
  EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
}

TEST(Clipboard, CallsOutOfOrderFailWithoutChangingAnything) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(u"kept")), nullptr);
  ASSERT_TRUE(CloseClipboard());

  EXPECT_FALSE(CloseClipboard());
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, TextBlock(u"lost")), nullptr) << "not open";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr)) << "already open";
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, TextBlock(u"lost")), nullptr) << "not emptied";
  EXPECT_EQ(SetClipboardData(0xBEEF, TextBlock(u"lost")), nullptr) << "unknown format";
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, nullptr), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(HeldText(), u"kept");
}

TEST(Clipboard, FormatsSetTogetherArriveTogether) {
  const UINT rtf = RegisterClipboardFormatW(u"Rich Text Format");
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(CF_UNICODETEXT, TextBlock(u"\u05D0\u05B8 text"));
  SetClipboardData(rtf, Block("{\\rtf1 x}\0garbage", 17));
  HANDLE pending = GetClipboardData(rtf);
  ASSERT_NE(pending, nullptr);
  EXPECT_STREQ(static_cast<const char*>(pending), "{\\rtf1 x}");
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(HeldText(), u"\u05D0\u05B8 text");
  EXPECT_EQ(HeldBytes(rtf), "{\\rtf1 x}");

  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(HeldText(), u"<none>") << "emptied, nothing set";
  EXPECT_EQ(HeldBytes(rtf), "<none>");
}

TEST(Clipboard, DataWithoutTerminatorIsReadToTheBlockEnd) {
  const char16_t unterminated[] = {u'a', u'b', u'c'};
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(CF_UNICODETEXT, Block(unterminated, sizeof unterminated));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(HeldText(), u"abc");
}

TEST(Clipboard, ForeignContentArrivesSafely) {
  struct Case {
    const char* name;
    std::string mimeType;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"UTF-8 Hebrew", "text/plain", "\xD7\x90\xD6\xB8", u"\u05D0\u05B8"},
      {"invalid UTF-8", "text/plain", "a\xFF\xC3", u"a\uFFFD\uFFFD"},
      {"embedded zero", "text/plain", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
      {"no text at all", "image/png", "\x89PNG", u"<none>"},
  };
  for (const Case& c : cases) {
    TestPutForeignClipboardData(c.mimeType, c.bytes);
    EXPECT_EQ(HeldText(), c.text) << c.name;
  }
}

TEST(Clipboard, HugeTextPassesWhole) {
  const std::string huge(32 << 20, 'x');
  TestPutForeignClipboardData("text/plain", huge);
  const std::u16string held = HeldText();
  EXPECT_EQ(held.size(), huge.size());
  EXPECT_EQ(held.find_first_not_of(u'x'), std::u16string::npos);
}

}  // namespace
