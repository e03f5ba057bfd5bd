// A clip's own file ("save this clip" / "load a clip's file"): the clip's
// text written as rich text, and a plain-text file's bytes as a clip keeps
// text. Written from the clip, never from its page, which may show only the
// start of a long clip.
#pragma once

#include <string>
#include <string_view>

namespace ambrel::editor {

// The editor's font as a rich-text file names it: a pixel height at 96 dpi
// (negative: the character height) and the style bits (1 bold, 2 italic,
// 4 underline, 8 strike-out).
struct ClipFileFont {
  std::string face;
  int height = -16;
  unsigned style = 0;
};

// The Shift-JIS text as rich text in code page 932: every byte of a
// double-byte character and every byte over 0x7F escaped (a trail byte may
// be a backslash or a brace), each line end a paragraph.
std::string ClipRichText(std::string_view text, const ClipFileFont& font);

// A plain-text file's bytes as the clip's text: up to the first zero byte
// (which a history file cannot hold), every CR, LF or CR LF made CR LF.
std::string ClipTextOfPlainFile(std::string_view bytes);

}  // namespace ambrel::editor
