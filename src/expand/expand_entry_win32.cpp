#include "expand/expand_entry_win32.h"

#include <string>

namespace ambrel::win32 {

bool ExpandEntry::Create() {
  message_ = RegisterWindowMessageA("Ambrel ExpandStaticClip");
  return CreateWin("TExpandEntry", "", WS_POPUP, WS_EX_TOOLWINDOW, -2000, 0, 1, 1, nullptr, nullptr);
}

void ExpandEntry::ExpandStaticClip(int number) {
  for (int page = 0; page < store_.PageCount(); ++page) {
    const clipstore::Clip& clip = store_.Page(page);
    if (clip.Kind() != clipstore::kStaticSlot || number-- > 0) continue;
    std::string text = clip.text;
    // As the paste does: a first line beginning with ";" is a comment.
    if (!text.empty() && text[0] == ';') {
      const std::size_t end = text.find("\r\n");
      text = end == std::string::npos ? std::string() : text.substr(end + 2);
    }
    if (meta_.MetaExpand()) {
      const expand::ExpandResult result = expander_.Expand(text);
      if (!result.goAhead) return;
      text = result.text;
    }
    clipboard_.SetText(text);
    return;
  }
}

LRESULT ExpandEntry::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == message_ && message_ != 0) {
    ExpandStaticClip(static_cast<int>(wParam));
    return 0;
  }
  return Default(msg, wParam, lParam);
}

}  // namespace ambrel::win32
