// The system clipboard as the portable code sees it: CF_TEXT only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ambrel {

// A text read with a bound: its length is measured only up to the limit + 1
// and its bytes are copied only when it is within the limit.
struct BoundedText {
  std::string text;
  bool tooLarge = false;
};

// A clipboard block holding a text: `blockSize` bytes, perhaps without a
// terminating NUL. Reads at most min(blockSize, limit + 1) bytes.
BoundedText ReadBoundedText(const char* block, std::size_t blockSize, std::size_t limit);

// The clipboard held open for reading: nobody can change it meanwhile, except
// the copying program rendering a format on demand.
class ClipboardReading {
 public:
  virtual ~ClipboardReading() = default;
  // True when the copy carries one of the formats by which password managers
  // and other programs ask clipboard monitors not to record it.
  virtual bool AsksNotToRecord() = 0;
  // The text (see ReadBoundedText); nullopt when there is none.
  virtual std::optional<BoundedText> Text(std::size_t limit) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool HasText() = 0;
  // The clipboard's text up to its terminating NUL; nullopt when there is none
  // or the clipboard could not be opened.
  virtual std::optional<std::string> GetText() = 0;
  virtual bool SetText(std::string_view text) = 0;
  // Changes with every change of the clipboard's content.
  virtual std::uint32_t SequenceNumber() = 0;
  // Opens the clipboard until the reading is destroyed; nullptr when it
  // cannot be opened.
  virtual std::unique_ptr<ClipboardReading> OpenForReading() = 0;
};

}  // namespace ambrel
