#include "export/plain_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/alloc_or_die.h"
#include "app/app_state.h"
#include "export/rtf.h"
#include "platform/clipboard.h"
#include "platform/msgbox.h"
#include "text/convert.h"
#include "text/layout.h"
#include "text/view.h"

namespace {
constexpr std::int32_t kHighestSingleByteBase = 256;
constexpr BYTE kIndentBits = 0x3F;
constexpr BYTE kWidestPixelRule = 160;

bool FontIsUnicode() { return AppState.Font.FontAsciiBase > kHighestSingleByteBase; }

std::size_t WideLength(const WCHAR* text) {
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// A paragraph record: Attr byte, Indent byte, zero-terminated text.
const BYTE* RecordText(const BYTE* record) { return record + 2; }
std::size_t TextLength(const BYTE* record) {
  return std::strlen(reinterpret_cast<const char*>(RecordText(record)));
}
const BYTE* NextRecord(const BYTE* record) { return RecordText(record) + TextLength(record) + 1; }

// Up to 160 the rule's width is in pixels, above it in steps of 2 per cent:
// a hyphen per pixel or per half per cent.
std::size_t RuleHyphens(BYTE width) {
  return width <= kWidestPixelRule ? width : 2u * (width - kWidestPixelRule);
}
std::size_t IndentSpaces(const BYTE* record) { return record[1] & kIndentBits; }
std::size_t LineEnds(const BYTE* record) { return (record[0] & kAttrBlankAfter) != 0 ? 2 : 1; }

// The wide text being written and where it must stop.
struct TextOut {
  WCHAR* at;
  WCHAR* end;
  bool Fits(std::size_t n) const { return n <= static_cast<std::size_t>(end - at); }
};

// The record's text in the reading font's code points (through ConvBuffer)
// and its length; NULL when the conversion failed.
const WCHAR* ConvertedText(const BYTE* record, std::size_t& length) {
  int extra = 0;
  const int n = static_cast<int>(TextLength(record));
  const WCHAR* converted = TextToFont(RecordText(record), n, &ConvBuffer, &extra);
  length = static_cast<std::size_t>(n + extra);
  return converted;
}

enum class Written { Done, NoRoom, NoMemory };

// Writes one record's line.
Written WriteRecord(const BYTE* record, TextOut& out) {
  if (IsRule(record[0])) {
    if (!out.Fits(RuleHyphens(record[1]))) return Written::NoRoom;
    out.at = WriteRule(record, out.at);
  } else {
    std::size_t length = 0;
    const WCHAR* converted = ConvertedText(record, length);
    if (converted == nullptr) return Written::NoMemory;
    if (!out.Fits(length + IndentSpaces(record))) return Written::NoRoom;
    out.at = std::copy_n(converted, length, out.at);
    out.at = std::fill_n(out.at, IndentSpaces(record), u' ');
  }
  for (std::size_t i = 0; i < LineEnds(record); ++i) {
    if (!out.Fits(2)) return Written::NoRoom;
    *out.at++ = u'\r';
    *out.at++ = u'\n';
  }
  return Written::Done;
}

int ReportOverflow() {
  MessageBoxW(AppState.MainWindow, u"(obuf > (start + size))", nullptr, MB_OK);
  return 1;
}
}  // namespace

ArticleMeasure MeasureArticle(const BYTE* text) {
  ArticleMeasure measure{};
  const BYTE* record = text;
  for (; record[0] != 0; record = NextRecord(record)) {
    measure.lineEnds += LineEnds(record);
    if (IsRule(record[0]))
      measure.hyphens += RuleHyphens(record[1]);
    else
      measure.indentSpaces += IndentSpaces(record);
  }
  measure.bytes = static_cast<std::size_t>(record - text);
  return measure;
}

WCHAR* AllocCopyBuffer(const BYTE* text, std::size_t& size) {
  const ArticleMeasure m = MeasureArticle(text);
  const std::size_t characters =
      m.bytes + m.bytes / 2 + 2 * m.lineEnds + m.hyphens + m.indentSpaces + 1;
  size = characters * sizeof(WCHAR);
  return static_cast<WCHAR*>(AllocOrDie(size));
}

WCHAR* WriteRule(const BYTE* record, WCHAR* out) {
  return std::fill_n(out, RuleHyphens(record[1]), u'-');
}

int ArticleToText(const BYTE* text, WCHAR* buffer, std::size_t size) {
  TextOut out{buffer, buffer + size / sizeof(WCHAR)};
  for (const BYTE* record = text; record[0] != 0; record = NextRecord(record)) {
    const Written written = WriteRecord(record, out);
    // A conversion without memory loses the copy, not the clipboard's content.
    if (written == Written::NoMemory) return 1;
    if (written == Written::NoRoom) return ReportOverflow();
  }
  if (!out.Fits(1)) return ReportOverflow();
  *out.at = 0;
  return 0;
}

void CopyArticle(TextView* view, CopyMode mode) {
  if (view == nullptr || view->Text == nullptr) return;
  std::size_t size = 0;
  WCHAR* buffer = AllocCopyBuffer(view->Text, size);
  // Stored right-to-left text is in display order; other programs take
  // Unicode Hebrew in reading order, so for such fonts the copy is always
  // reversed, whatever the Reverse option does to the page.
  const std::uint32_t savedFlags = AppState.Flags;
  if (FontIsUnicode()) AppState.Flags |= kReverseFlag;
  const int result = ArticleToText(view->Text, buffer, size);
  AppState.Flags = savedFlags;
  if (result == 0) PutUnicodeText(buffer, mode);
  std::free(buffer);
}

void PutUnicodeText(const WCHAR* text, CopyMode mode) {
  if (FontIsUnicode()) {
    PutRtf(text, mode);
    return;
  }
  std::size_t oldLength = 0;
  BYTE* old = mode == CopyMode::Append ? ReadClipboard(0, oldLength) : nullptr;
  const std::size_t kept = oldLength / 2 * 2;
  const std::size_t textBytes = (WideLength(text) + 1) * 2;
  auto* block = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, kept + textBytes));
  if (block != nullptr) {
    if (kept > 0) std::memcpy(block, old, kept);
    std::memcpy(block + kept, text, textBytes);
  }
  std::free(old);
  // Without a block the clipboard keeps what it held.
  if (block != nullptr) ReplaceClipboard(CF_UNICODETEXT, block);
}
