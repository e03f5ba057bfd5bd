// How a long clip fills its page: the rich edit takes a text in a time that
// grows faster than the text, so a page shows the clip's first part, says
// so, and takes the rest on demand piece by piece, the window answering
// between the pieces.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ambrel::editor {

// What a page shows at once, and what one piece of the rest adds.
inline constexpr std::size_t kPageFirstPart = 1u << 20;
inline constexpr std::size_t kPagePiece = 256u << 10;

// The end of the piece of text that starts at `from` (a character boundary)
// and holds at most `size` bytes: a character boundary, never between the CR
// and LF of a line end, past `from` while text is left.
std::size_t PieceEnd(std::string_view text, std::size_t from, std::size_t size);

// The status bar's note for a page that shows `shown` of `total` bytes: ""
// for a clip short enough to show and edit at once; else what is shown and,
// while some is not, that a click adds the rest.
std::string PartShownNote(std::size_t shown, std::size_t total);

// A clip that holds a Unicode original (characters Shift-JIS lacks, which its
// page shows as '?') says so on the status bar and in its tree node's tip.
inline constexpr std::string_view kOriginalNote = "Shift-JIS にない文字を含む元のテキストを保持 (貼り付けに使います)";
// Asked once when the user starts to edit such a clip's text.
inline constexpr std::string_view kDropOriginalQuestion =
    "このクリップは Shift-JIS にない文字を含む元のテキストを保持していて、貼り付けにはそれを使います。\r\n"
    "編集すると元のテキストは破棄され、ページに見えるとおりの内容になります。編集を続けますか?";

// The status bar's note for a page: the part-shown note and the original's.
std::string PageNote(std::string_view partNote, bool holdsOriginal);

}  // namespace ambrel::editor
