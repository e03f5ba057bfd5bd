// Which copies become clips. Every capture of the clipboard, the one at the
// first start included, goes through TakeCopy.
#pragma once

#include <cstddef>
#include <string>

#include "platform/clipboard.h"

namespace ambrel {
class MessageBoxes;
}
namespace ambrel::clipstore {
class TClipBase;
}
namespace ambrel::options {
class Settings;
}
namespace ambrel::usermenu {
class Distributor;
}

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
  std::u16string original;  // see BoundedText::original
};

// Reads the copy within one opening of the clipboard: the marks, then the
// text (never more of it than kMaxClipBytes + 1 bytes), then the marks again.
Copy TakeCopy(Clipboard& clipboard);

// Records the copies of the running program: each clipboard change that the
// clipboard feed announces (whatever the feed's mechanism) is read by
// TakeCopy, becomes the newest history clip (with its Unicode original) and,
// when the history took it, is matched against the user menus (by its
// Shift-JIS text only). A copy over the limit only sounds the
// fault sound.
class ClipboardCapture {
 public:
  ClipboardCapture(const options::Settings& settings, Clipboard& clipboard, clipstore::TClipBase& store,
                   usermenu::Distributor& distributor, MessageBoxes& messages)
      : settings_(settings), clipboard_(clipboard), store_(store), distributor_(distributor),
        messages_(messages) {}

  // The clipboard changed. With DataSave off the clipboard is not read.
  void ClipboardChanged();

 private:
  const options::Settings& settings_;
  Clipboard& clipboard_;
  clipstore::TClipBase& store_;
  usermenu::Distributor& distributor_;
  MessageBoxes& messages_;
};

}  // namespace ambrel::app
