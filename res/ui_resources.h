// The program's own user-interface resources: menu 102, the menu-bar
// resource 102, strings 302 and 303, accelerator table 3, bitmaps 114 and
// 201-203, icon 101.
#pragma once

#include <vector>

#include "platform/resources.h"

// Appends the user-interface resources to `table`.
void AddUiResources(std::vector<ResourceEntry>& table);
