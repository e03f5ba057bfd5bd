// Pieces the expansion's dialogs share: the button row, the pickers' images and rich-edit text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/modal_dialog_win32.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/system_library_win32.h"

namespace ambrel::win32 {

inline constexpr int kHelpId = 9;

// OK, Cancel and Help at the bottom right, the name label at the bottom
// left; the row is kButtonRowUnits high in dialog units.
inline constexpr int kButtonRowUnits = 24;
void LayoutButtonRow(HWND dialog, HWND nameLabel, int width, int height, const DialogUnits& units);
void AddButtonRow(HWND dialog);

// Images 0 closed folder, 1 open folder, 2 leaf; folder trees and data
// (list and tree files) get differently coloured sets.
HIMAGELIST MakePickerImages(bool forFolders);

}  // namespace ambrel::win32
