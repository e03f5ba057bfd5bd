// FontDlg: the system's font dialog over the editor font. While it is open it
// counts as an open dialog of the program, so the hot key and the tray are
// refused; its Help button opens the dialog's help topic.
#pragma once

#include <windows.h>

#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

// A font handle for a window (a button drawn in the chosen font).
GdiObject CreateEditorFont(const options::EditorFont& font);

// Opens the font dialog on font; true with the chosen font on OK.
bool ChooseFont(HWND owner, DialogHost& host, options::EditorFont& font);

// The editor font chosen and applied at once (the editor's font command).
void ChooseEditorFont(HWND owner, DialogHost& host, options::Settings& settings);

}  // namespace ambrel::win32
