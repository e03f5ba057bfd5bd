// The program's one printing layer, on the system's default printer. Without
// a printer nothing is printed and nothing is shown (every print command of
// the program is silent then); a job that fails half-way is aborted and told
// once, through the report set at start-up.
//  - Line printing: the banner line and an empty line, then the caller's
//    lines in a given font, a new page whenever one is full, a line too long
//    for the page continued on the next line (cut between characters).
//  - Rich-edit printing: a rich edit's content laid out by the control
//    itself (EM_FORMATRANGE), page after page.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ambrel::win32 {

enum class PrintOutcome { kPrinted, kNoPrinter, kFailed };

// The first line of every line print.
inline constexpr const char* kPrintBanner = "Ambrel";

// A font as the editors keep it: a pixel height at 96 dpi (negative: the
// character height), scaled to the printer's resolution.
struct PrintFont {
  std::string face = "ＭＳ ゴシック";
  int height = -16;
  unsigned style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
};

// How a failed print is told (the printer's name and the system's reason);
// set once at start-up. Every print function below calls it once for a
// print that fails, never for a missing printer.
void SetPrintFailureReport(std::function<void(const std::string& printer, const std::string& reason)> report);

// docName names the print job; lines are printed after the banner.
PrintOutcome PrintTextLines(HWND owner, const std::string& docName,
                            const std::vector<std::string>& lines);
PrintOutcome PrintTextLines(HWND owner, const std::string& docName,
                            const std::vector<std::string>& lines, const PrintFont& font);

// The rich edit's whole content.
PrintOutcome PrintRichEdit(HWND richEdit, const std::string& docName);
// text in a hidden rich edit made for the job inside owner (destroyed on
// every path), in font.
PrintOutcome PrintRichText(HWND owner, const std::string& text, const std::string& docName,
                           const PrintFont& font);

}  // namespace ambrel::win32
