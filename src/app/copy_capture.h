// Which copies become clips. Every capture of the clipboard, the one at the
// first start included, goes through TakeCopy.
#pragma once

#include <cstddef>
#include <string>

#include "platform/clipboard.h"

namespace ambrel::app {

// The longest text recorded as a clip. With at most 30 history clips and ten
// user menus of at most 30 clips each, this bounds the history file (see
// kMaxHistoryFileBytes).
inline constexpr std::size_t kMaxClipBytes = 4u << 20;

enum class CopyVerdict {
  kNothing,   // no text, a copy that asks monitors not to record it, or one
              // replaced while it was read (its successor is announced too)
  kRecord,    // text holds the copy
  kTooLarge,  // over kMaxClipBytes: not recorded, the clipboard is left alone
};

struct Copy {
  CopyVerdict verdict = CopyVerdict::kNothing;
  std::string text;
};

// Reads the copy within one opening of the clipboard: the marks, then the
// text (never more of it than kMaxClipBytes + 1 bytes), then the marks again.
Copy TakeCopy(Clipboard& clipboard);

}  // namespace ambrel::app
