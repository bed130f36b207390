#include "text/scroll.h"

#include <algorithm>

#include "text/layout.h"
#include "text/paint.h"
#include "text/view.h"

int ComputeMaxTopLine(TextView* view) {
  if (view == nullptr || view->Lines == nullptr || view->TotalLines == 0 || view->LineCount == 0)
    return -1;
  auto room = static_cast<std::int16_t>(view->Height);
  int fitting = 0;
  for (int i = view->LineCount - 1; i >= 0; --i) {
    const LineEntry& line = view->Lines[i];
    if (room < line.Height) break;
    room = static_cast<std::int16_t>(room - line.Height * DisplayLines(line));
    fitting += DisplayLines(line);
  }
  // A blank half that did not fit is not part of the last page.
  if (room < 0) --fitting;
  view->MaxTopLine = static_cast<std::uint16_t>(view->TotalLines - fitting);
  return view->MaxTopLine;
}

int ScrollView(TextView* view, int delta, ScrollPaint paint, ScrollClamp clamp) {
  if (view == nullptr) return -1;
  const int old = view->TopLine;
  int moved = old + delta;
  if (moved < 0) {
    moved = 0;
  } else if (clamp == ScrollClamp::Clamp || moved > view->TotalLines) {
    if (moved >= old && old >= view->MaxTopLine) return kScrollUnchanged;
    if (moved > view->TotalLines) moved = view->MaxTopLine;
  }
  if (paint == ScrollPaint::Repaint && moved == old) return kScrollUnchanged;
  view->TopLine = static_cast<std::uint16_t>(moved);
  if (paint == ScrollPaint::Repaint) return PaintView(view, PaintErase::Erase);
  return moved != old ? kScrollMovedUnpainted : kScrollUnchanged;
}

int ScrollToOffset(TextView* view, int offset) {
  if (view == nullptr || view->Lines == nullptr) return 0;
  int displayLine = 0;
  for (const LineEntry* line = view->Lines; line->Attr != 0; ++line) {
    if (line->Offset <= offset && offset <= line->Offset + line->Count) {
      view->TopLine = static_cast<std::uint16_t>(std::min(displayLine, int{view->MaxTopLine}));
      return 1;
    }
    displayLine += DisplayLines(*line);
  }
  return 0;
}
