// Pieces the expansion's dialogs share: child controls in the GUI font, the
// modal loop, the button row, the pickers' images and rich-edit text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace ambrel::win32 {

inline constexpr int kHelpId = 9;

HFONT DialogFont();

// A child control in the dialog font.
HWND AddControl(HWND parent, const char* cls, const char* text, DWORD style, int id,
                DWORD exStyle = 0);

// Runs the program's messages until open turns false. Esc anywhere in the
// dialog means Cancel; Tab and Enter move and confirm as in any dialog. A
// quit message ends the loop (the dialog is closed as cancelled) and is
// posted again for the program's own loop.
void RunModalLoop(HWND dialog, const bool& open);

// OK, Cancel and Help at the bottom right, the name label at the bottom left.
void LayoutButtonRow(HWND dialog, HWND nameLabel, int width, int height);
void AddButtonRow(HWND dialog);

// Images 0 closed folder, 1 open folder, 2 leaf; folder trees and data
// (list and tree files) get differently coloured sets.
HIMAGELIST MakePickerImages(bool forFolders);

// The rich edit's text with CR LF line ends, in the ANSI code page.
std::string RichEditText(HWND edit);
bool LoadRichEdit();

}  // namespace ambrel::win32
