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

// OK, Cancel and Help at the bottom right, the name label (a control id,
// 0 for none) at the bottom left; the row is kButtonRowUnits high in dialog
// units. A dialog adds the row's table after its own controls.
inline constexpr int kButtonRowUnits = 24;
inline constexpr DialogControl kButtonRow[] = {
    {IDOK, "BUTTON", " OK ", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0},
    {IDCANCEL, "BUTTON", "ｷｬﾝｾﾙ", WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0},
    {kHelpId, "BUTTON", "ﾍﾙﾌﾟ   ", WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0},
};
void LayoutButtonRow(HWND dialog, int nameLabelId, int width, int height, const DialogUnits& units);

// Images 0 closed folder, 1 open folder, 2 leaf; folder trees and data
// (list and tree files) get differently coloured sets.
HIMAGELIST MakePickerImages(bool forFolders);

}  // namespace ambrel::win32
