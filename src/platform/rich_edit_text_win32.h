// The text of a rich edit as the program keeps text: CR LF line ends, the
// ANSI code page, every byte (its length asked in bytes, not characters).
// Text goes in as plain text: WM_SETTEXT and EM_REPLACESEL would read a text
// that begins with an RTF header as formatting, and the page would then keep
// the rendered text in place of the clip's own.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ambrel::win32 {

std::string RichEditText(HWND edit);

// Replaces the whole content by `text`, byte for byte.
bool SetRichEditPlainText(HWND edit, std::string_view text);

// Replaces the selection by `text`, byte for byte.
bool ReplaceRichEditSelection(HWND edit, std::string_view text);

// Replaces the whole content by bytes read as `format` (SF_TEXT or SF_RTF);
// false on an error.
bool StreamIntoRichEdit(HWND edit, std::string_view bytes, UINT format);

// The editor font (face, pixel height at 96 DPI, colour, style bits: 1 bold,
// 2 italic, 4 underline, 8 strike-out) for all of the text, Shift-JIS.
void SetRichEditFont(HWND edit, const std::string& face, int height, COLORREF color, unsigned style);

}  // namespace ambrel::win32
