// Scrolling the reading view by display lines and bringing a text position
// to the top.
#pragma once

#include "platform/types.h"

struct TextView;

// The smallest TopLine from which the rest of the Article fits the text
// area (0 when it all fits), stored in MaxTopLine and returned; -1 without a
// line table or lines (MaxTopLine unchanged).
int ComputeMaxTopLine(TextView* view);

enum class ScrollPaint { None, Repaint };
enum class ScrollClamp { None, Clamp };

// Results of ScrollView besides the paint's result.
inline constexpr int kScrollUnchanged = 1;
inline constexpr int kScrollMovedUnpainted = 3;

// Moves TopLine by delta display lines. At or past MaxTopLine a downward
// step is refused; a step past TotalLines lands on MaxTopLine. -1 without a
// view, kScrollUnchanged, kScrollMovedUnpainted (without repaint), else the
// result of PaintView with erase.
int ScrollView(TextView* view, int delta, ScrollPaint paint, ScrollClamp clamp);

// Sets TopLine to the display line of the first line whose body holds offset
// (the position right after a body included), or to MaxTopLine when that is
// smaller, and returns 1; 0 when no line holds it (TopLine unchanged).
int ScrollToOffset(TextView* view, int offset);
