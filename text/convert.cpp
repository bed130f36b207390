#include "text/convert.h"

#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "platform/gdi.h"
#include "text/text_code.h"

ConvBufferRecord ConvBuffer;

namespace {

bool UnicodeFont() { return AppState.Font.FontAsciiBase == kUnicodeBase; }

// The number of code points one byte of text code converts to.
int CodePointsOf(BYTE b, bool unicode) {
  if (!textcode::HasTableEntry(b)) return 1;
  if (unicode) return textcode::kUnicodeColumn[b - textcode::kFirstTableCode].second != 0 ? 2 : 1;
  return textcode::kSingleByteColumn[b - textcode::kFirstTableCode] != 0 ? 1 : 0;
}

// Room for two code points per text byte and the terminator.
WCHAR* AllocateCodePoints(int n) {
  return static_cast<WCHAR*>(std::malloc((static_cast<std::size_t>(n) + 1) * 2 * sizeof(WCHAR)));
}

WCHAR* OutputFor(ConvBufferRecord* buffer, int n) {
  if (buffer != nullptr && buffer->Buffer != nullptr && buffer->Capacity >= n) return buffer->Buffer;
  WCHAR* out = AllocateCodePoints(n);
  if (out != nullptr && buffer != nullptr) {
    std::free(buffer->Buffer);
    buffer->Buffer = out;
    buffer->Capacity = n;
  }
  return out;
}

WCHAR Mirrored(WCHAR c) {
  switch (c) {
    case u'(': return u')';
    case u')': return u'(';
    case u'[': return u']';
    case u']': return u'[';
    case u'{': return u'}';
    case u'}': return u'{';
    default: return c;
  }
}

bool MeasuredByTable(BYTE b) { return (b >= 16 && b <= 20) || (b >= 32 && b <= 127); }

}  // namespace

WCHAR* TextToFont(const BYTE* text, int n, ConvBufferRecord* buffer, int* extra) {
  if (extra != nullptr) *extra = 0;
  if (n < 0 || text == nullptr) n = 0;
  WCHAR* out = OutputFor(buffer, n);
  if (out == nullptr) return nullptr;

  const bool unicode = UnicodeFont();
  int written = 0;
  for (int i = 0; i < n && text[i] != 0; ++i) {
    const BYTE b = text[i];
    if (!textcode::HasTableEntry(b)) {
      out[written++] = b;
    } else if (unicode) {
      const textcode::UnicodePair pair = textcode::kUnicodeColumn[b - textcode::kFirstTableCode];
      out[written++] = pair.first;
      if (pair.second != 0) out[written++] = pair.second;
    } else if (const BYTE single = textcode::kSingleByteColumn[b - textcode::kFirstTableCode]) {
      out[written++] = single;
    }
    if (extra != nullptr) *extra += CodePointsOf(b, unicode) - 1;
  }
  out[written] = 0;

  if (n > 0 && AppState.Font.FontAsciiBase != kLowBase && (AppState.Flags & kReverseFlag) != 0)
    ReverseMirrored(out, written);
  return out;
}

int ReverseMirrored(WCHAR* string, int n) {
  if (n <= 0) return 0;
  auto* scratch = static_cast<WCHAR*>(std::malloc(static_cast<std::size_t>(n) * sizeof(WCHAR)));
  if (scratch == nullptr) return 1;
  for (int i = 0; i < n; ++i) scratch[n - 1 - i] = Mirrored(string[i]);
  std::char_traits<WCHAR>::copy(string, scratch, static_cast<std::size_t>(n));
  std::free(scratch);
  return 0;
}

RunFit FitByWidths(const WORD* widths, const BYTE* text, int maxWidth, int count) {
  if (widths == nullptr) return {0, count};
  RunFit fit{0, 0};
  if (text == nullptr) return fit;
  for (int left = count; left > 0 && text[fit.Count] != 0; --left) {
    const BYTE b = text[fit.Count];
    if (MeasuredByTable(b)) {
      const int width = fit.Width + widths[b - 16];
      if (width > maxWidth) break;
      fit.Width = width;
    }
    ++fit.Count;
  }
  return fit;
}

RunFit MeasureRun(HDC dc, const BYTE* text, int maxWidth, int count) {
  const WCHAR* converted = TextToFont(text, count, &ConvBuffer, nullptr);
  if (converted == nullptr) return {0, 0};
  const int length = static_cast<int>(std::char_traits<WCHAR>::length(converted));

  int fitted = 0;
  SIZE extent{};
  if (maxWidth >= 0) GetTextExtentExPointW(dc, converted, length, maxWidth, &fitted, nullptr, &extent);
  extent = SIZE{};
  if (fitted > 0) GetTextExtentExPointW(dc, converted, fitted, -1, nullptr, nullptr, &extent);

  // Back from code points to text bytes: a byte fits when all its code
  // points do; bytes that convert to nothing follow the byte before them.
  const bool unicode = UnicodeFont();
  RunFit fit{extent.cx, 0};
  for (int points = 0; fit.Count < count && text[fit.Count] != 0; ++fit.Count) {
    points += CodePointsOf(text[fit.Count], unicode);
    if (points > fitted) break;
  }
  return fit;
}
