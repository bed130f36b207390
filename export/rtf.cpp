#include "export/rtf.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/alloc_or_die.h"
#include "platform/clipboard.h"

namespace {

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"
    "\\rtldoc\\pard\\rtlpar\\qr\\lang1033\\f0\\fs20\\uc0\r\n";
static_assert(kHeader.size() == 180);

constexpr std::string_view kSeparator =
    "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";
static_assert(kSeparator.size() == 52);

// Written before the separator when the document is another program's: ends
// its last paragraph and drops its paragraph and character formatting (which
// could hide or shift the Article), and makes Unicode escapes stand alone, as
// the Article's escapes are written.
constexpr std::string_view kForeignReset = "\\par\\pard\\plain\\rtlpar\\uc0\r\n";

constexpr std::string_view kParagraphEnd = "\\par\\par\r\n";
constexpr std::string_view kClosing = "}\r\n";

constexpr FormDecomposition kForms[] = {
    {0xFB2A, {0x05E9, 0x05C1}},         {0xFB2B, {0x05E9, 0x05C2}},
    {0xFB2C, {0x05E9, 0x05BC, 0x05C1}}, {0xFB2D, {0x05E9, 0x05BC, 0x05C2}},
    {0xFB30, {0x05D0, 0x05BC}},         {0xFB31, {0x05D1, 0x05BC}},
    {0xFB32, {0x05D2, 0x05BC}},         {0xFB33, {0x05D3, 0x05BC}},
    {0xFB34, {0x05D4, 0x05BC}},         {0xFB35, {0x05D5, 0x05BC}},
    {0xFB36, {0x05D6, 0x05BC}},         {0xFB38, {0x05D8, 0x05BC}},
    {0xFB39, {0x05D9, 0x05BC}},         {0xFB3A, {0x05DA, 0x05BC}},
    {0xFB3B, {0x05DB, 0x05BC}},         {0xFB3C, {0x05DC, 0x05BC}},
    {0xFB3E, {0x05DE, 0x05BC}},         {0xFB40, {0x05E0, 0x05BC}},
    {0xFB41, {0x05E1, 0x05BC}},         {0xFB43, {0x05E3, 0x05BC}},
    {0xFB44, {0x05E4, 0x05BC}},         {0xFB46, {0x05E6, 0x05BC}},
    {0xFB47, {0x05E7, 0x05BC}},         {0xFB48, {0x05E8, 0x05BC}},
    {0xFB49, {0x05E9, 0x05BC}},         {0xFB4A, {0x05EA, 0x05BC}},
    {0xFB4B, {0x05D5, 0x05B9}},         {0, {}},
};
constexpr WCHAR kLastLetter = 0x05EA;

// Counts the body's bytes, and writes them when given a buffer, so that the
// measured length is always the written one.
class BodyWriter {
 public:
  explicit BodyWriter(char* out) : out_(out) {}
  void Put(char c) {
    if (out_ != nullptr) out_[length_] = c;
    ++length_;
  }
  void Put(std::string_view text) {
    for (char c : text) Put(c);
  }
  std::size_t Length() const { return length_; }

 private:
  char* out_;
  std::size_t length_ = 0;
};

// "\u" and the code unit as RTF reads it: a signed 16-bit number.
void PutEscape(BodyWriter& writer, WCHAR ch) {
  char number[8];
  const int value = ch > 0x7FFF ? ch - 0x10000 : ch;
  const auto end = std::to_chars(number, number + sizeof number, value).ptr;
  writer.Put("\\u");
  writer.Put(std::string_view(number, static_cast<std::size_t>(end - number)));
}

void PutCharacterEscapes(BodyWriter& writer, WCHAR ch) {
  const FormDecomposition* row = DecomposeForm(ch);
  if (row == nullptr) {
    PutEscape(writer, ch);
    return;
  }
  for (WCHAR part : row->parts)
    if (part != 0) PutEscape(writer, part);
}

bool IsLineEnd(WCHAR ch) { return ch == u'\r' || ch == u'\n'; }
// Written as control symbols ("\\", "\{", "\}"), so that a reader shows
// them rather than taking them as RTF.
bool IsRtfSpecial(WCHAR ch) { return ch == u'\\' || ch == u'{' || ch == u'}'; }
// Characters that would be read as part of an escape's number or word.
bool ContinuesEscape(WCHAR ch) {
  return (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z');
}

// Writes one character other than a line end; true when it was written as
// escapes. A space ends an escape and is dropped by the reader, so a space,
// digit or letter right after an escape is written behind one.
bool PutCharacter(BodyWriter& writer, WCHAR ch, bool afterEscape) {
  if (ch < 0x20 || ch > 0x7E) {
    PutCharacterEscapes(writer, ch);
    return true;
  }
  if (IsRtfSpecial(ch))
    writer.Put('\\');
  else if (afterEscape && (ch == u' ' || ContinuesEscape(ch)))
    writer.Put(' ');
  writer.Put(static_cast<char>(ch));
  return false;
}

}  // namespace

const FormDecomposition* DecomposeForm(WCHAR ch) {
  if (ch <= kLastLetter) return nullptr;
  for (const FormDecomposition* row = kForms; row->form != 0; ++row)
    if (row->form == ch) return row;
  return nullptr;
}

std::size_t RtfBody(const WCHAR* text, char* out) {
  BodyWriter writer(out);
  bool afterEscape = false;
  for (const WCHAR* p = text; *p != 0;) {
    if (IsLineEnd(*p)) {
      while (IsLineEnd(*p)) ++p;
      writer.Put(kParagraphEnd);
      afterEscape = false;
    } else {
      afterEscape = PutCharacter(writer, *p++, afterEscape);
    }
  }
  writer.Put(kParagraphEnd);
  if (out != nullptr) out[writer.Length()] = 0;
  return writer.Length();
}

char* MakeRtfBody(const WCHAR* text) {
  auto* body = static_cast<char*>(AllocOrDie(RtfBody(text, nullptr) + 1));
  RtfBody(text, body);
  return body;
}

namespace {

bool IsBlank(BYTE c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

bool StartsWith(const BYTE* data, std::size_t length, std::string_view prefix) {
  return length >= prefix.size() && std::memcmp(data, prefix.data(), prefix.size()) == 0;
}

// Where the new text continues the old document: its length without the
// trailing white space and the closing brace; 0 when it is no RTF document.
std::size_t ContinuationPoint(const BYTE* old, std::size_t length) {
  std::size_t start = 0;
  while (start < length && IsBlank(old[start])) ++start;
  if (!StartsWith(old + start, length - start, "{\\rtf")) return 0;
  std::size_t n = length;
  while (n > 0 && IsBlank(old[n - 1])) --n;
  if (n > 0 && old[n - 1] == '}') --n;
  return n;
}

char* Append(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// The whole document in a block from LocalAlloc: the old document continued
// behind the separator, or the header; then the body and the closing brace.
// NULL when no block can be had.
HLOCAL ComposeDocument(const BYTE* old, std::size_t oldLength, std::string_view body) {
  const std::size_t kept = old == nullptr ? 0 : ContinuationPoint(old, oldLength);
  const bool foreign = kept > 0 && !StartsWith(old, oldLength, kHeader);
  const std::size_t lead =
      kept > 0 ? kept + (foreign ? kForeignReset.size() : 0) + kSeparator.size() : kHeader.size();
  auto* block = static_cast<char*>(LocalAlloc(LMEM_FIXED, lead + body.size() + kClosing.size() + 1));
  if (block == nullptr) return nullptr;
  char* out = block;
  if (kept > 0) {
    out = Append(out, std::string_view(reinterpret_cast<const char*>(old), kept));
    if (foreign) out = Append(out, kForeignReset);
    out = Append(out, kSeparator);
  } else {
    out = Append(out, kHeader);
  }
  out = Append(Append(out, body), kClosing);
  *out = 0;
  return block;
}

}  // namespace

void PutRtf(const WCHAR* text, CopyMode mode) {
  const UINT format = RegisterClipboardFormatW(u"Rich Text Format");
  std::size_t oldLength = 0;
  BYTE* old = mode == CopyMode::Append ? ReadClipboard(format, oldLength) : nullptr;
  char* body = MakeRtfBody(text);
  HLOCAL block = ComposeDocument(old, oldLength, body);
  std::free(old);
  std::free(body);
  // Without a block the clipboard keeps what it held.
  if (block != nullptr) ReplaceClipboard(format, block);
}
