// Menus shown by Qt menus (implementation only): the bars fill their Qt
// menus from a menu, whose check marks then show there.
#pragma once

#include <QMenu>
#include <QString>

#include "platform/types.h"

// The text of the item at `position` as Qt shows it ("&" kept, the
// shortcut after a tab); empty for a NULL menu or a bad position.
QString MenuItemText(HMENU menu, int position);
// Fills `view` with the items of `menu`; choosing one posts WM_COMMAND
// (id, 0) to `target`.
void FillQtMenu(QMenu* view, HMENU menu, HWND target);
