#include "usermenu/distribution.h"

#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/message_box.h"
#include "help_contexts.h"

namespace ambrel::usermenu {

Distributor::Distributor(clipstore::TClipBase& store, const options::Settings& settings,
                         MessageBoxes& messages)
    : store_(store), settings_(settings), messages_(messages) {
  static_assert(std::tuple_size_v<ReportedSlots> == clipstore::kSlotCount);
  reg_.LineSeparator = regexp::mcls_CRLF;
}

bool Distributor::CompileQuietly(const std::string& pattern) {
  return regexp::TryCompile(reg_, pattern, nullptr);
}

bool Distributor::CompileExpression(const std::string& text) {
  if (CompileQuietly(text)) return true;
  messages_.ErrorBox(kBadPatternMessage, kHelpBadPattern);
  return false;
}

int Distributor::MatchClip(std::string_view text, int& start, int& length) {
  if (!settings_.FullMatching()) {
    const std::size_t crlf = text.find("\r\n");
    if (crlf != std::string_view::npos) text = text.substr(0, crlf + 2);
  }
  if (text.empty()) return 0;
  return reg_.Match(text, start, length);
}

void Distributor::DistributeClip(std::string_view text) {
  if (!settings_.Distribute() || distributing_) return;
  distributing_ = true;
  for (int slot = 2; slot < clipstore::kSlotCount; ++slot) {
    const clipstore::TMenuSlot& s = store_.Slot(slot);
    if (!s.Node || !s.MenuItem) continue;
    const std::string pattern = s.Pattern;
    std::optional<std::string>& reported = reported_[static_cast<std::size_t>(slot)];
    if (!CompileQuietly(pattern)) {
      if (reported != pattern) {
        reported = pattern;
        messages_.ErrorBox(kBadPatternMessage, kHelpBadPattern);
      }
      continue;
    }
    reported.reset();
    if (CurrentExpression().empty()) continue;
    int start = 0, length = 0;
    if (MatchClip(text, start, length) < 1 || length <= 0) continue;
    // Every menu is matched against the whole recorded text, and the part is
    // cut from that same text (the clipboard's text as it was recorded).
    const std::string part(text.substr(static_cast<std::size_t>(start - 1),
                                       static_cast<std::size_t>(length)));
    store_.AddClip(*s.MenuItem, slot, true, part);
  }
  distributing_ = false;
}

}  // namespace ambrel::usermenu
