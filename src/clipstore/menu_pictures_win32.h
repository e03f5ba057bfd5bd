// The three small pictures the clip menu shows in place of a check mark: the
// help line, the static-clip menu and the user menus. Drawn at the system's
// check-mark size, and drawn again when that size changes.
#pragma once

#include <windows.h>

#include <string_view>

namespace ambrel::win32 {

// The picture for a clip-menu item by its component name ("MMHelpMenu",
// "MMStatic", "Usr1".."Usr10"), or null for every other item. The bitmaps
// live for the whole run.
HBITMAP MenuPictureFor(std::string_view itemName);

// Redraws the pictures when the check-mark size has changed since.
void RefreshMenuPictures();

}  // namespace ambrel::win32
