#include "properties/font_chooser_win32.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>

#include "help_contexts.h"

namespace ambrel::win32 {
namespace {


LOGFONTA LogFontOf(const options::EditorFont& font) {
  LOGFONTA lf{};
  lf.lfHeight = font.height;
  lf.lfWeight = (font.style & options::kFontBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.style & options::kFontItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.style & options::kFontUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.style & options::kFontStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  const std::size_t n = std::min(font.name.size(), sizeof lf.lfFaceName - 1);
  std::copy_n(font.name.data(), n, lf.lfFaceName);
  return lf;
}

struct HookData {
  DialogHost* host;
  OpenDialogs::Scope* scope;
};

UINT_PTR CALLBACK FontHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const auto* cf = reinterpret_cast<const CHOOSEFONTA*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, static_cast<LONG_PTR>(cf->lCustData));
    const auto* data = reinterpret_cast<const HookData*>(cf->lCustData);
    data->scope->SetWindow(reinterpret_cast<OpenDialogs::WindowId>(dialog));
  } else if (msg == WM_COMMAND && LOWORD(wParam) == pshHelp) {
    const auto* data = reinterpret_cast<const HookData*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (data && data->host->openHelp) data->host->openHelp(kHelpFont);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

GdiObject CreateEditorFont(const options::EditorFont& font) {
  const LOGFONTA lf = LogFontOf(font);
  return GdiObject(CreateFontIndirectA(&lf));
}

bool ChooseFont(HWND owner, DialogHost& host, options::EditorFont& font) {
  LOGFONTA lf = LogFontOf(font);
  OpenDialogs::Scope scope(host.openDialogs);
  HookData data{&host, &scope};
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &lf;
  cf.rgbColors = static_cast<COLORREF>(font.color);
  // No vertical ("@") faces: the editors write across, and a missing face
  // would otherwise be matched to its vertical twin.
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_SHOWHELP | CF_ENABLEHOOK | CF_NOVERTFONTS;
  cf.lpfnHook = FontHook;
  cf.lCustData = reinterpret_cast<LPARAM>(&data);
  if (!ChooseFontA(&cf)) return false;
  options::EditorFont chosen;
  chosen.name = lf.lfFaceName;
  chosen.height = lf.lfHeight;
  chosen.color = static_cast<std::int32_t>(cf.rgbColors);
  chosen.size = cf.iPointSize / 10;
  chosen.style = static_cast<std::uint8_t>((lf.lfWeight >= FW_BOLD ? options::kFontBold : 0) |
                                           (lf.lfItalic ? options::kFontItalic : 0) |
                                           (lf.lfUnderline ? options::kFontUnderline : 0) |
                                           (lf.lfStrikeOut ? options::kFontStrikeOut : 0));
  font = chosen;
  return true;
}

void ChooseEditorFont(HWND owner, DialogHost& host, options::Settings& settings) {
  options::EditorFont font = settings.GetEditorFont();
  if (ChooseFont(owner, host, font)) settings.SetEditorFont(font);
}

}  // namespace ambrel::win32
