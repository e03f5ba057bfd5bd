// The system clipboard as the portable code sees it: Shift-JIS text, read
// from the Unicode text when there is one and put there beside it, and the
// Unicode original of a text whose characters Shift-JIS lacks.
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
  // The Unicode text it was converted from, when the conversion lost
  // characters of it; empty otherwise.
  std::u16string original;
};

// A clipboard block holding a text: `blockSize` bytes, perhaps without a
// terminating NUL. Reads at most min(blockSize, limit + 1) bytes.
BoundedText ReadBoundedText(const char* block, std::size_t blockSize, std::size_t limit);

// A Unicode block of blockUnits UTF-16 units, perhaps without its NUL, whose
// Shift-JIS form may hold at most limit bytes. Every unit takes at least half
// a byte there (a surrogate pair becomes one '?'), so the text is measured
// only up to 2 * (limit + 1) units; nullopt when it is longer than that.
std::optional<std::size_t> BoundedUnicodeLength(const char16_t* block, std::size_t blockUnits, std::size_t limit);

// The clipboard held open for reading: nobody can change it meanwhile, except
// the copying program rendering a format on demand.
class ClipboardReading {
 public:
  virtual ~ClipboardReading() = default;
  // True when the copy carries one of the formats by which password managers
  // and other programs ask clipboard monitors not to record it.
  virtual bool AsksNotToRecord() = 0;
  // The text (see ReadBoundedText), converted from the Unicode text when there
  // is one; nullopt when there is none.
  virtual std::optional<BoundedText> Text(std::size_t limit) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool HasText() = 0;
  // The clipboard's text (from its Unicode text when there is one) up to its
  // terminating NUL; nullopt when there is none
  // or the clipboard could not be opened.
  virtual std::optional<std::string> GetText() = 0;
  // Puts text, its Unicode form (original when given, else text converted)
  // and the Japanese locale, so that every program reads the same characters.
  virtual bool SetText(std::string_view text, std::u16string_view original = {}) = 0;
  // Changes with every change of the clipboard's content.
  virtual std::uint32_t SequenceNumber() = 0;
  // Opens the clipboard until the reading is destroyed; nullptr when it
  // cannot be opened.
  virtual std::unique_ptr<ClipboardReading> OpenForReading() = 0;
};

}  // namespace ambrel
