#include "platform/text_printer_win32.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/handles_win32.h"
#include "platform/sjis.h"

namespace ambrel::win32 {
namespace {

// The system's default printer as a DC, or null when there is none.
HDC DefaultPrinterDc(HWND owner) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgA(&pd)) return nullptr;
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  return pd.hDC;
}

bool PrintToDc(HDC dc, const std::string& docName, const std::vector<std::string>& lines) {
  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = docName.c_str();
  if (StartDocA(dc, &doc) <= 0) return false;
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const int lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
  const int pageHeight = GetDeviceCaps(dc, VERTRES);
  const int margin = GetDeviceCaps(dc, LOGPIXELSY) / 2;
  bool ok = StartPage(dc) > 0;
  int y = margin;
  for (const std::string& line : lines) {
    if (!ok) break;
    if (y + lineHeight > pageHeight - margin && y > margin) {
      ok = EndPage(dc) > 0 && StartPage(dc) > 0;
      y = margin;
    }
    TabbedTextOutA(dc, margin, y, line.c_str(), static_cast<int>(line.size()), 0, nullptr, margin);
    y += lineHeight;
  }
  if (ok) ok = EndPage(dc) > 0;
  if (ok) EndDoc(dc);
  else AbortDoc(dc);
  return ok;
}

PrintOutcome SaveToFile(HWND owner, const std::string& docName, const std::vector<std::string>& lines) {
  char name[MAX_PATH] = {};
  std::string proposed = docName;
  // Only whole one-byte characters: the second byte of 表 is a backslash.
  for (std::size_t pos = 0; pos < proposed.size(); pos += sjis::CharLength(proposed, pos))
    if (std::string_view("\\/:*?\"<>|").find(proposed[pos]) != std::string_view::npos) proposed[pos] = '_';
  proposed.resize(sjis::CharBoundaryAtOrBefore(proposed, MAX_PATH - 5));
  lstrcpynA(name, proposed.c_str(), MAX_PATH);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "ﾃｷｽﾄﾌｧｲﾙ(*.txt)\0*.txt\0すべてのﾌｧｲﾙ(*.*)\0*.*\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = "プリンタがありません。印刷内容を保存するファイル名を指定して下さい";
  ofn.lpstrDefExt = "txt";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&ofn)) return PrintOutcome::kCancelled;
  FileHandle file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return PrintOutcome::kFailed;
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  DWORD written = 0;
  const bool ok = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  return ok ? PrintOutcome::kSavedToFile : PrintOutcome::kFailed;
}

}  // namespace

PrintOutcome PrintTextLines(HWND owner, const std::string& docName, const std::vector<std::string>& lines) {
  if (HDC dc = DefaultPrinterDc(owner)) {
    const bool ok = PrintToDc(dc, docName, lines);
    DeleteDC(dc);
    return ok ? PrintOutcome::kPrinted : PrintOutcome::kFailed;
  }
  return SaveToFile(owner, docName, lines);
}

}  // namespace ambrel::win32
