// The system clipboard as the portable code sees it: CF_TEXT only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ambrel {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool HasText() = 0;
  // The clipboard's text up to its terminating NUL; nullopt when there is none
  // or the clipboard could not be opened.
  virtual std::optional<std::string> GetText() = 0;
  // True when the copy carries one of the formats by which password managers
  // and other programs ask clipboard monitors not to record it.
  virtual bool AsksNotToRecord() = 0;
  virtual bool SetText(std::string_view text) = 0;
};

}  // namespace ambrel
