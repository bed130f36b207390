// The bar that carries the File and Go menus and the six tool buttons: the
// handheld's menu bar at the bottom, or a command bar at the top.
#pragma once

#include "platform/types.h"

// Builds AppState.BarWindow on AppState.MainWindow and sets BarHeight
// (MenuBarOnBottom may be forced to 1 on newer systems). Without a bar
// BarWindow stays NULL and BarHeight 0.
void CreateBars();

// True when the reader uses the handheld's menu bar at the bottom.
bool BarAtBottom();

enum class DropDown { File, Go };
// The File or Go menu of the bar; NULL without a bar.
HMENU BarMenu(DropDown which);
