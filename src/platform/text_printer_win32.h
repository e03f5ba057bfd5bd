// Printing of text lines: to the default printer when the system has one,
// a new page whenever one is full; without a printer the lines can go to a
// text file that the user picks instead, so printing is never a dead end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ambrel::win32 {

enum class PrintOutcome { kPrinted, kSavedToFile, kCancelled, kFailed };

// docName names the print job and proposes the file name.
PrintOutcome PrintTextLines(HWND owner, const std::string& docName,
                            const std::vector<std::string>& lines);

}  // namespace ambrel::win32
