#include "app/copy_capture.h"

namespace ambrel::app {

Copy TakeCopy(Clipboard& clipboard) {
  if (!clipboard.HasText() || clipboard.AsksNotToRecord()) return {};
  std::optional<std::string> text = clipboard.GetText();
  if (!text) return {};
  if (text->size() > kMaxClipBytes) return {CopyVerdict::kTooLarge, {}};
  return {CopyVerdict::kRecord, std::move(*text)};
}

}  // namespace ambrel::app
