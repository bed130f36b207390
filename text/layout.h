// Line layout: an Article's paragraph records become the view's line table.
#pragma once

#include "platform/types.h"

struct TextView;

// One laid-out line.
struct LineEntry {
  std::uint16_t Offset;  // position in Text of the body's first stored byte
                         // (a left-to-right line: of the line, first word
                         // included; a rule: of its record's text)
  std::uint16_t Count;   // bytes of the body; 0 for a rule
  std::uint16_t X;       // left edge of the body, client pixels
  std::uint16_t HangWidth;  // hang column of a paragraph's first line, else 0
  std::uint16_t Width;   // body width in pixels; a rule's length
  std::uint16_t Height;  // the font's tmHeight
  BYTE Attr;             // the paragraph's Attr, bit 7 only on its last line;
                         // 0 ends the table
};

// Paragraph record Attr bits.
inline constexpr BYTE kAttrRuleMask = 0x07;  // all three set: a rule
inline constexpr BYTE kAttrStyleMask = 0x1F;
inline constexpr BYTE kAttrRightToLeft = 0x10;
inline constexpr BYTE kAttrAlignMask = 0x60;
inline constexpr BYTE kAttrAlignRight = 0x20;
inline constexpr BYTE kAttrAlignCentre = 0x40;
inline constexpr BYTE kAttrBlankAfter = 0x80;

constexpr bool IsRule(BYTE attr) { return (attr & kAttrRuleMask) == kAttrRuleMask; }
// Display lines one entry stands for.
constexpr int DisplayLines(const LineEntry& line) {
  return (line.Attr & kAttrBlankAfter) != 0 ? 2 : 1;
}

// Results of LayoutArticle.
inline constexpr int kLaidOut = 0;
inline constexpr int kNoText = 2;
inline constexpr int kMalformedText = 0xFFFC;
inline constexpr int kOutOfMemory = 0xFFFE;
inline constexpr int kNoView = -1;

// Keep: text is the view's current Text (or the first Article, when the view
// has none). Replace: text is a new buffer and the view releases its current
// Text first. Either way a text other than the current Text belongs to the
// view from the call on: adopted when laid out, released when refused or out
// of memory.
enum class LayoutMode { Keep, Replace };

// Lays text out into view->Lines from its first record, drops any highlight
// and computes TotalLines and MaxTopLine; TopLine is left alone. Returns one
// of the results above.
int LayoutArticle(TextView* view, BYTE* text, LayoutMode mode);
