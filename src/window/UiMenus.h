// The menus of the map window: the two drop-down menus of the menu bar and
// the context menu of tap-and-hold.
#pragma once

#include "widgets/UiCommandBar.h"

std::vector<MenuEntry> SystemMenuEntries();   // "Hệ thống"
std::vector<MenuEntry> UtilityMenuEntries();  // "Tiện ích"; "Đo cự ly" at position 0
std::vector<MenuEntry> ContextMenuEntries();
