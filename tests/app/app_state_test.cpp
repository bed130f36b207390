#include "app/app_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/alloc_or_die.h"
#include "platform/msgbox.h"

namespace {

TEST(AppState, ClearingLeavesEveryFieldZero) {
  AppState.Lesson = 7;
  AppState.Flags = 0xD1140040;
  AppState.Font.FontName[0] = u'D';
  ClearAppState();
  const auto* bytes = reinterpret_cast<const unsigned char*>(&AppState);
  for (std::size_t i = 0; i < sizeof AppState; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(AppState, FontNameIsCutTo31Characters) {
  struct Case {
    std::u16string name;
    std::u16string stored;
  };
  const std::u16string longName(40, u'x');
  const Case cases[] = {
      {u"", u""},
      {u"Ezra SIL", u"Ezra SIL"},
      {std::u16string(31, u'a'), std::u16string(31, u'a')},
      {std::u16string(32, u'b'), std::u16string(31, u'b')},
      {longName, longName.substr(0, 31)},
  };
  for (const Case& c : cases) {
    FontChoice font{};
    for (auto& ch : font.FontName) ch = u'?';
    SetFontName(font, c.name.c_str());
    EXPECT_EQ(std::u16string(font.FontName), c.stored) << "length " << c.name.size();
    EXPECT_EQ(font.FontName[31], 0);
  }
}

std::u16string shownText;
int RecordMessage(HWND, LPCWSTR text, LPCWSTR, UINT) {
  shownText = text;
  return IDOK;
}
void SaveForTest() {
  const bool shown = shownText == u"There is not enough memory, aborting";
  std::fputs(shown ? "saved after the message\n" : "saved without the message\n", stderr);
}

TEST(AllocOrDieDeathTest, FailureShowsTheMessageSavesAndEnds) {
  EXPECT_EXIT(
      {
        SetMessageBoxHook(RecordMessage);
        SetOutOfMemorySave(SaveForTest);
        void* block = AllocOrDie(SIZE_MAX / 2);
        std::free(block);
      },
      testing::ExitedWithCode(1), "saved after the message");
}

TEST(AllocOrDie, ReturnsAUsableBlock) {
  auto* block = static_cast<std::uint8_t*>(AllocOrDie(64));
  ASSERT_NE(block, nullptr);
  block[63] = 1;
  std::free(block);
}

}  // namespace
