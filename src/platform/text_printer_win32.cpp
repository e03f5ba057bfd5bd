#include "platform/text_printer_win32.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/handles_win32.h"
#include "platform/line_wrap.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/system_library_win32.h"

namespace ambrel::win32 {
namespace {

// No printed line is wider than this many bytes, so measuring a long line
// never looks at more than its next piece.
constexpr std::size_t kMeasureLimit = 1024;

std::function<void(const std::string&, const std::string&)>& FailureReport() {
  static std::function<void(const std::string&, const std::string&)> report;
  return report;
}

// The error of the first call of the current print that failed; 0 while none has.
DWORD gFirstError = 0;

// A print step's outcome, noting the system's error of the first that failed.
bool Ok(bool ok) {
  if (!ok && gFirstError == 0) gFirstError = GetLastError() != 0 ? GetLastError() : ERROR_GEN_FAILURE;
  return ok;
}

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n && text ? std::string(text, n) : "エラー " + std::to_string(error);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n')) message.pop_back();
  return message;
}

// The system's default printer as a DC (deleted with the object) and its
// name, or none.
class PrinterDc {
 public:
  PrinterDc() {
    gFirstError = 0;
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (PrintDlgA(&pd)) dc_ = pd.hDC;
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) {
      if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames))) {
        name_ = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
        GlobalUnlock(pd.hDevNames);
      }
      GlobalFree(pd.hDevNames);
    }
  }
  ~PrinterDc() {
    if (dc_) DeleteDC(dc_);
  }
  PrinterDc(const PrinterDc&) = delete;
  PrinterDc& operator=(const PrinterDc&) = delete;
  HDC get() const { return dc_; }
  // A failed print is told once, with the printer's name and the reason.
  PrintOutcome Told(PrintOutcome outcome) const {
    if (outcome == PrintOutcome::kFailed && FailureReport())
      FailureReport()(name_, SystemMessage(gFirstError != 0 ? gFirstError : ERROR_GEN_FAILURE));
    return outcome;
  }

 private:
  HDC dc_ = nullptr;
  std::string name_;
};

// A print job: ended when Finish succeeded, else aborted, on every path.
class PrintJob {
 public:
  PrintJob(HDC dc, const std::string& name) : dc_(dc) {
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name.c_str();
    started_ = Ok(StartDocA(dc, &doc) > 0);
  }
  ~PrintJob() {
    if (started_) AbortDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  bool Started() const { return started_; }
  bool Finish() {
    started_ = false;
    return Ok(EndDoc(dc_) > 0);
  }

 private:
  HDC dc_;
  bool started_ = false;
};

HFONT CreatePrintFont(HDC dc, const PrintFont& font) {
  LOGFONTA lf{};
  lf.lfHeight = MulDiv(font.height, GetDeviceCaps(dc, LOGPIXELSY), 96);
  lf.lfWeight = (font.style & 1) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.style & 2) ? 1 : 0;
  lf.lfUnderline = (font.style & 4) ? 1 : 0;
  lf.lfStrikeOut = (font.style & 8) ? 1 : 0;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

// Lays out lines on pages: the margins, the line height and the width a
// line may take, from the printer's resolution and the font.
class LinePages {
 public:
  explicit LinePages(HDC dc) : dc_(dc) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    lineHeight_ = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    tabWidth_ = std::max<int>(1, tm.tmAveCharWidth * 8);
    margin_ = GetDeviceCaps(dc, LOGPIXELSY) / 2;
    width_ = std::max<int>(tm.tmMaxCharWidth, GetDeviceCaps(dc, HORZRES) - 2 * margin_);
    bottom_ = GetDeviceCaps(dc, VERTRES) - margin_;
    y_ = margin_;
  }

  bool Begin() { return Ok(StartPage(dc_) > 0); }
  bool End() { return Ok(EndPage(dc_) > 0); }

  bool Print(std::string_view line) {
    const auto fitting = [this](std::string_view rest) { return Fitting(rest); };
    for (std::string_view piece : WrapLine(line, fitting)) {
      if (y_ + lineHeight_ > bottom_ && y_ > margin_) {
        if (!End() || !Begin()) return false;
        y_ = margin_;
      }
      TabbedTextOutA(dc_, margin_, y_, piece.data(), static_cast<int>(piece.size()), 1, &tabWidth_,
                     margin_);
      y_ += lineHeight_;
    }
    return true;
  }

 private:
  // As TabbedTextOutA draws it with one tab stop, in full width.
  long long Width(std::string_view text) const {
    return TabbedWidth(text, tabWidth_, [this](std::string_view part) {
      SIZE size{};
      GetTextExtentPoint32A(dc_, part.data(), static_cast<int>(part.size()), &size);
      return static_cast<long long>(size.cx);
    });
  }
  // The longest prefix (in bytes) within the width.
  std::size_t Fitting(std::string_view rest) const {
    std::size_t low = 0, high = std::min(rest.size(), kMeasureLimit);
    if (high == rest.size() && Width(rest) <= width_) return rest.size();
    while (low < high) {
      const std::size_t mid = (low + high + 1) / 2;
      if (Width(rest.substr(0, mid)) <= width_) low = mid;
      else high = mid - 1;
    }
    return low;
  }

  HDC dc_;
  int lineHeight_ = 1, tabWidth_ = 1, margin_ = 0, width_ = 1, bottom_ = 0, y_ = 0;
};

bool PrintLines(HDC dc, const std::vector<std::string>& lines, bool banner) {
  LinePages pages(dc);
  if (!pages.Begin()) return false;
  if (banner && (!pages.Print(kPrintBanner) || !pages.Print(""))) return false;
  for (const std::string& line : lines)
    if (!pages.Print(line)) return false;
  return pages.End();
}

PrintOutcome PrintLineJob(HDC dc, const std::string& docName, const std::vector<std::string>& lines,
                          const PrintFont& font, bool banner) {
  GdiObject gdiFont(CreatePrintFont(dc, font));
  SelectedObject selected(dc, gdiFont.get());
  PrintJob job(dc, docName);
  if (!job.Started() || !PrintLines(dc, lines, banner)) return PrintOutcome::kFailed;
  return job.Finish() ? PrintOutcome::kPrinted : PrintOutcome::kFailed;
}

// The rich edit's pages laid out for the printer, in twips, half an inch of
// margin all round.
FORMATRANGE PageRange(HDC dc) {
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  FORMATRANGE range{};
  range.hdc = range.hdcTarget = dc;
  range.rcPage = {0, 0, MulDiv(GetDeviceCaps(dc, HORZRES), 1440, dpiX),
                  MulDiv(GetDeviceCaps(dc, VERTRES), 1440, dpiY)};
  range.rc = {720, 720, range.rcPage.right - 720, range.rcPage.bottom - 720};
  range.chrg = {0, -1};
  return range;
}

LONG TextLength(HWND edit) {
  GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
  return static_cast<LONG>(SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

// Whether the control lays out a first page of its text (a measuring pass,
// nothing drawn). Some rich-edit versions (Wine's) lay out nothing.
bool LaysOutPages(HDC dc, HWND edit) {
  if (TextLength(edit) == 0) return true;
  FORMATRANGE range = PageRange(dc);
  const LRESULT next = SendMessageA(edit, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  SendMessageA(edit, EM_FORMATRANGE, FALSE, 0);
  return next > 0;
}

// The control's text as lines, and its default font.
std::vector<std::string> EditLines(HWND edit) {
  const std::string text = RichEditText(edit);
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back().push_back(text[i]);
    }
  }
  return lines;
}

PrintFont EditFont(HWND edit) {
  CHARFORMATA cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(edit, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  PrintFont font;
  if (cf.szFaceName[0]) font.face = cf.szFaceName;
  if (cf.yHeight > 0) font.height = -static_cast<int>(cf.yHeight / 15);
  return font;
}

bool PrintFormatted(HDC dc, HWND edit) {
  FORMATRANGE range = PageRange(dc);
  const LONG total = TextLength(edit);
  bool ok = true;
  do {
    ok = Ok(StartPage(dc) > 0);
    if (!ok) break;
    const LRESULT next = SendMessageA(edit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    ok = Ok(EndPage(dc) > 0);
    // A control that makes no progress would print blank pages for ever.
    if (!ok || next <= range.chrg.cpMin) break;
    range.chrg.cpMin = static_cast<LONG>(next);
  } while (range.chrg.cpMin < total);
  SendMessageA(edit, EM_FORMATRANGE, FALSE, 0);  // frees the control's cached layout
  return ok;
}

void SetRichFont(HWND edit, const PrintFont& font) {
  CHARFORMATA cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  cf.yHeight = (font.height < 0 ? -font.height : font.height) * 15;  // twips of 96-dpi pixels
  cf.bCharSet = SHIFTJIS_CHARSET;
  cf.dwEffects = ((font.style & 1) ? CFE_BOLD : 0) | ((font.style & 2) ? CFE_ITALIC : 0) |
                 ((font.style & 4) ? CFE_UNDERLINE : 0) | ((font.style & 8) ? CFE_STRIKEOUT : 0);
  lstrcpynA(cf.szFaceName, font.face.c_str(), LF_FACESIZE);
  SendMessageA(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

class HiddenRichEdit {
 public:
  explicit HiddenRichEdit(HWND owner) {
    LoadRichEdit();
    hwnd_ = CreateWindowExA(0, "RichEdit20A", "", WS_CHILD | ES_MULTILINE, 0, 0, 100, 100, owner, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  ~HiddenRichEdit() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HiddenRichEdit(const HiddenRichEdit&) = delete;
  HiddenRichEdit& operator=(const HiddenRichEdit&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace

void SetPrintFailureReport(std::function<void(const std::string& printer, const std::string& reason)> report) {
  FailureReport() = std::move(report);
}

PrintOutcome PrintTextLines(HWND owner, const std::string& docName, const std::vector<std::string>& lines) {
  return PrintTextLines(owner, docName, lines, PrintFont{});
}

PrintOutcome PrintTextLines(HWND, const std::string& docName, const std::vector<std::string>& lines,
                            const PrintFont& font) {
  PrinterDc printer;
  if (!printer.get()) return PrintOutcome::kNoPrinter;
  return printer.Told(PrintLineJob(printer.get(), docName, lines, font, /*banner=*/true));
}

namespace {

PrintOutcome PrintRichEditOn(const PrinterDc& printer, HWND richEdit, const std::string& docName) {
  // Where the control lays out no page, its text is printed as lines in its
  // font rather than as blank pages.
  if (!LaysOutPages(printer.get(), richEdit))
    return PrintLineJob(printer.get(), docName, EditLines(richEdit), EditFont(richEdit), /*banner=*/false);
  PrintJob job(printer.get(), docName);
  if (!job.Started() || !PrintFormatted(printer.get(), richEdit)) return PrintOutcome::kFailed;
  return job.Finish() ? PrintOutcome::kPrinted : PrintOutcome::kFailed;
}

}  // namespace

PrintOutcome PrintRichEdit(HWND richEdit, const std::string& docName) {
  PrinterDc printer;
  if (!printer.get()) return PrintOutcome::kNoPrinter;
  return printer.Told(PrintRichEditOn(printer, richEdit, docName));
}

PrintOutcome PrintRichText(HWND owner, const std::string& text, const std::string& docName,
                           const PrintFont& font) {
  HiddenRichEdit edit(owner);
  if (!edit.get()) {
    PrinterDc printer;
    if (!printer.get()) return PrintOutcome::kNoPrinter;
    Ok(false);
    return printer.Told(PrintOutcome::kFailed);
  }
  // No limit of its own: the default would stop at 32 KB.
  SendMessageA(edit.get(), EM_EXLIMITTEXT, 0, static_cast<LPARAM>(text.size() + 1));
  SetRichEditPlainText(edit.get(), text);
  SetRichFont(edit.get(), font);
  return PrintRichEdit(edit.get(), docName);
}

}  // namespace ambrel::win32
