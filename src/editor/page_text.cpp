#include "editor/page_text.h"

#include <cstdio>

#include "platform/sjis.h"

namespace ambrel::editor {

std::size_t PieceEnd(std::string_view text, std::size_t from, std::size_t size) {
  if (from >= text.size()) return text.size();
  std::size_t end = from + sjis::CharBoundaryAtOrBefore(text.substr(from), size);
  if (end < text.size() && end > from && text[end - 1] == '\r' && text[end] == '\n') --end;
  // A piece too small for one character (or a line end) still moves on.
  if (end == from) {
    end = from + sjis::CharLength(text, from);
    if (text[from] == '\r' && end < text.size() && text[end] == '\n') ++end;
  }
  return end;
}

std::string PartShownNote(std::size_t shown, std::size_t total) {
  if (total <= kPageFirstPart) return "";
  const double megabytes = static_cast<double>(total) / (1 << 20);
  char note[200];
  if (shown >= total)
    std::snprintf(note, sizeof note, "全 %.1fMB を表示中 (読み取り専用)", megabytes);
  else
    std::snprintf(note, sizeof note, "先頭 %.1fMB / 全 %.1fMB を表示中 (読み取り専用) - ここをクリックすると残りを読み込みます",
                  static_cast<double>(shown) / (1 << 20), megabytes);
  return note;
}

std::string PageNote(std::string_view partNote, bool holdsOriginal) {
  std::string note(holdsOriginal ? kOriginalNote : "");
  if (holdsOriginal && !partNote.empty()) note.append(" / ");
  return note.append(partNote);
}

}  // namespace ambrel::editor
