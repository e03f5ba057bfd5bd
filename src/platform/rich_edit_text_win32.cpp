#include "platform/rich_edit_text_win32.h"

#include <richedit.h>

#include <algorithm>

#include "platform/sjis.h"

namespace ambrel::win32 {
namespace {

// The control converts each piece it is given on its own: a piece that ended
// inside a double-byte character would garble it, and one that ended between
// CR and LF would make two line breaks of one. So a piece ends on a
// character boundary and never inside a CR LF (unless it could hold nothing
// else).
DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* rest = reinterpret_cast<std::string_view*>(cookie);
  std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(wanted), rest->size());
  if (n < rest->size()) {
    const std::size_t boundary = sjis::CharBoundaryAtOrBefore(*rest, n);
    if (boundary > 0) n = boundary;
    if (n > 1 && (*rest)[n - 1] == '\r' && (*rest)[n] == '\n') --n;
  }
  rest->copy(reinterpret_cast<char*>(buffer), n);
  rest->remove_prefix(n);
  *given = static_cast<LONG>(n);
  return 0;
}

}  // namespace

bool StreamIntoRichEdit(HWND edit, std::string_view bytes, UINT format) {
  std::string_view rest = bytes;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, &ReadStream};
  SendMessageA(edit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0;
}

bool SetRichEditPlainText(HWND edit, std::string_view text) { return StreamIntoRichEdit(edit, text, SF_TEXT); }

bool ReplaceRichEditSelection(HWND edit, std::string_view text) {
  return StreamIntoRichEdit(edit, text, SF_TEXT | SFF_SELECTION);
}

std::string RichEditText(HWND edit) {
  GETTEXTLENGTHEX lengthQuery{GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
  const LRESULT length = SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GETTEXTEX query{};
  query.cb = static_cast<DWORD>(text.size());
  query.flags = GT_USECRLF;
  query.codepage = CP_ACP;
  const LRESULT got = SendMessageA(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

// The whole text and what is typed later: the control keeps the default
// format for new text apart from the format of the text it holds.
void SetRichEditFont(HWND edit, const std::string& face, int height, COLORREF color, unsigned style) {
  CHARFORMATA cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC |
              CFM_UNDERLINE | CFM_STRIKEOUT;
  cf.crTextColor = color;
  cf.yHeight = (height < 0 ? -height : height) * 15;  // twips of a pixel height at 96 dpi
  cf.bCharSet = SHIFTJIS_CHARSET;
  cf.dwEffects = ((style & 1) ? CFE_BOLD : 0) | ((style & 2) ? CFE_ITALIC : 0) |
                 ((style & 4) ? CFE_UNDERLINE : 0) | ((style & 8) ? CFE_STRIKEOUT : 0);
  lstrcpynA(cf.szFaceName, face.c_str(), LF_FACESIZE);
  SendMessageA(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  SendMessageA(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

}  // namespace ambrel::win32
