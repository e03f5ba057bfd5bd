// The three small pictures the clip menu shows in place of a check mark: the
// help line, the static-clip menu and the user menus. Drawn at the system's
// check-mark size, and drawn again when that size changes.
#pragma once

#include <windows.h>

#include "clipstore/menu_item.h"

namespace ambrel::win32 {

// The picture for a clip-menu item: the help line (MMHelpMenu), the static
// clips' menu and the user menus; null for every other item. The bitmaps
// live for the whole run.
HBITMAP MenuPictureFor(const clipstore::MenuItem& item);

// Redraws the pictures when the check-mark size has changed since.
void RefreshMenuPictures();

}  // namespace ambrel::win32
