#include "text/view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/gdi.h"
#include "text/convert.h"
#include "text/layout.h"
#include "text/paint.h"
#include "text/text_code.h"

namespace {

LONG FontHeight(int size, int style) {
  if ((style & kStyleLarger) != 0) return size != 0 ? size * 5 / 4 : 20;
  if ((style & kStyleSmaller) != 0) return size != 0 ? size * 6 / 8 : 14;
  return size;
}

// Creates the entry's font for its style key and marks its widths unmeasured.
void MakeFont(const TextView* view, FontEntry* entry) {
  LOGFONTW font{};
  font.lfHeight = FontHeight(view->Font.FontSize, entry->Style);
  font.lfWeight = (entry->Style & kStyleBold) != 0 ? FW_BOLD : FW_NORMAL;
  std::copy(std::begin(view->Font.FontName), std::end(view->Font.FontName), font.lfFaceName);
  entry->Handle = CreateFontIndirectW(&font);
  entry->Widths[0] = kUnmeasuredWidth0;
  entry->Widths[1] = kUnmeasuredWidth1;
}

bool Unmeasured(const FontEntry* entry) {
  return entry->Widths[0] == kUnmeasuredWidth0 || entry->Widths[1] == kUnmeasuredWidth1;
}

// The code point whose extent is the advance of text code c: the letter of a
// pair code, nothing (0) for a point dropped by a single-byte font.
WCHAR MeasuredCodePoint(int c) {
  if (!textcode::HasTableEntry(static_cast<BYTE>(c))) return static_cast<WCHAR>(c);
  const int index = c - textcode::kFirstTableCode;
  if (AppState.Font.FontAsciiBase != kUnicodeBase) return textcode::kSingleByteColumn[index];
  const textcode::UnicodePair pair = textcode::kUnicodeColumn[index];
  return pair.second != 0 ? pair.second : pair.first;
}

// The entry's font is selected into dc.
void MeasureWidths(HDC dc, FontEntry* entry) {
  for (int c = 16; c < 16 + kWidthCount; ++c) {
    const WCHAR point = MeasuredCodePoint(c);
    SIZE extent{};
    if (point != 0) GetTextExtentExPointW(dc, &point, 1, -1, nullptr, nullptr, &extent);
    entry->Widths[c - 16] = static_cast<WORD>(extent.cx);
  }
  for (int c = textcode::kFirstPoint; c <= textcode::kHolam; ++c) entry->Widths[c - 16] = 0;
}

FontEntry* FindEntry(const TextView* view, int style) {
  for (FontEntry* entry = view->FontList; entry != nullptr; entry = entry->Next)
    if (entry->Style == style) return entry;
  return nullptr;
}

void ReleaseFontHandles(TextView* view) {
  for (FontEntry* entry = view->FontList; entry != nullptr; entry = entry->Next) {
    if (entry->Handle != nullptr) DeleteObject(entry->Handle);
    entry->Handle = nullptr;
  }
}

}  // namespace

TextView* CreateView(HDC dc, const RECT* rect, const FontChoice* fontChoice, int capacity) {
  if (dc == nullptr) return nullptr;
  auto* view = static_cast<TextView*>(std::calloc(1, sizeof(TextView)));
  if (view == nullptr) return nullptr;
  view->DC = dc;
  if (fontChoice != nullptr) view->Font = *fontChoice;
  if (rect != nullptr) {
    view->Left = rect->left;
    view->Top = rect->top;
    view->Width = rect->right - rect->left;
    view->Height = rect->bottom - rect->top;
  }
  capacity = std::clamp(capacity, 0, 0xFFFF - 1);
  if (capacity > 0) {
    view->Lines = static_cast<LineEntry*>(std::malloc((capacity + 1) * sizeof(LineEntry)));
    if (view->Lines != nullptr) {
      view->Lines[0] = LineEntry{};
      view->LineCapacity = static_cast<std::uint16_t>(capacity);
    }
  }
  return view;
}

int ResizeView(TextView* view, int width, int height) {
  if (view == nullptr) return -1;
  if (width <= 0 || height <= 0) return -5;
  view->Width = width;
  view->Height = height;
  return LayoutArticle(view, view->Text, LayoutMode::Keep);
}

int SetViewFont(TextView* view, const FontChoice* fontChoice) {
  if (view == nullptr) return -1;
  if (fontChoice == nullptr) {
    ReleaseFontHandles(view);
    return 0;
  }
  view->Font = *fontChoice;
  for (FontEntry* entry = view->FontList; entry != nullptr; entry = entry->Next) {
    if (entry->Handle != nullptr) DeleteObject(entry->Handle);
    MakeFont(view, entry);
  }
  if (LayoutArticle(view, view->Text, LayoutMode::Keep) != kLaidOut) return 1;
  return PaintView(view, PaintErase::Erase);
}

void FreeView(TextView* view, FreeRecord record) {
  if (view == nullptr) return;
  std::free(view->Text);
  view->Text = nullptr;
  std::free(view->Lines);
  view->Lines = nullptr;
  view->LineCapacity = 0;
  view->LineCount = 0;
  ReleaseFontHandles(view);
  while (FontEntry* entry = view->FontList) {
    view->FontList = entry->Next;
    std::free(entry);
  }
  view->CharWidths = nullptr;
  if (record == FreeRecord::Release) std::free(view);
}

HFONT SelectStyle(TextView* view, int key) {
  if (view == nullptr) return nullptr;
  const int style = key & 0x1F;
  FontEntry* entry = FindEntry(view, style);
  bool fresh = false;
  if (entry == nullptr || entry->Handle == nullptr) {
    // An entry whose font was released or could not be made is made again
    // in place, so failed attempts never pile up entries.
    if (entry == nullptr) {
      entry = static_cast<FontEntry*>(std::calloc(1, sizeof(FontEntry)));
      if (entry == nullptr) return nullptr;
      entry->Style = static_cast<BYTE>(style);
      entry->Next = view->FontList;
      view->FontList = entry;
    }
    MakeFont(view, entry);
    if (entry->Handle == nullptr) return nullptr;
    fresh = true;
  }
  if ((key & (kWithColour | kWithColourAlso)) != 0) {
    const bool heading = (style & (kStyleLarger | kStyleBold)) == (kStyleLarger | kStyleBold);
    SetTextColor(view->DC, heading ? kBlue : kBlack);
  }
  auto* previous = static_cast<HFONT>(SelectObject(view->DC, entry->Handle));
  view->CharWidths = entry->Widths;
  if (fresh || Unmeasured(entry)) MeasureWidths(view->DC, entry);
  return previous;
}

void SelectPassStyle(StylePass& pass, int key) {
  HFONT previous = SelectStyle(pass.View, key);
  if (pass.Kept == nullptr) pass.Kept = previous;
}

void EndStylePass(StylePass& pass) {
  if (pass.Kept != nullptr) SelectObject(pass.View->DC, pass.Kept);
  pass.Kept = nullptr;
}
