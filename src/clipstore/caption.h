// One-line menu captions for clip texts.
#pragma once

#include <string>
#include <string_view>

#include "clipstore/slot_id.h"

namespace ambrel::clipstore {

struct CaptionSettings {
  int menuLen = 80;             // byte limit, 20..200
  bool firstLine = false;       // caption shows the first non-blank line only
  bool changeSpace = false;     // a run of blanks and tabs becomes one spaceChar
  bool staticComment = true;    // a static clip's ';' first line is its caption
  std::string crChar = "⇔";
  std::string tabChar = "⇒";
  std::string spaceChar = "□";
};

// The caption of a clip in the given slot. The work is bounded
// by menuLen, not by the length of the text: only as much of the text is read
// as the caption can show (apart from the runs of blanks and blank lines that
// the rules fold into one mark, which must be read to their end).
std::string MakeCaption(SlotId slot, std::string_view text, const CaptionSettings& settings);

}  // namespace ambrel::clipstore
