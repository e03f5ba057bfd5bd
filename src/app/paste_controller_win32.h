// The paste on Win32: takes a clip chosen in the clip menu, reads the
// modifier keys, acts on the store and the editor window, and asks the hook
// library in the target window's thread to paste.
#pragma once

#include <optional>
#include <string>

#include "editor/clip_chooser.h"
#include "expand/clip_expander.h"
#include "platform/busy_state.h"
#include "platform/paste_target_win32.h"

namespace ambrel {
class Clipboard;
class MessageBoxes;
}  // namespace ambrel
namespace ambrel::clipstore {
struct Clip;
class TClipBase;
}  // namespace ambrel::clipstore
namespace ambrel::expand {
class MetaList;
}
namespace ambrel::options {
class Settings;
}

namespace ambrel::win32 {

struct PasteServices {
  clipstore::TClipBase& store;
  const options::Settings& settings;
  const expand::MetaList& meta;
  Clipboard& clipboard;
  MessageBoxes& messages;
  const BusyState& busy;
  const PasteTarget& target;
};

class PasteController final : public ClipChooser {
 public:
  explicit PasteController(const PasteServices& services) : s_(services) {}
  // Expands static clips at paste time; none until the dialogs exist.
  void SetExpander(expand::ClipExpander* expander) { expander_ = expander; }

  void ChooseClip(int pageIndex, bool asPopup, const ChoiceView& view) override;
  // What a paste of clip would insert now, for the preview: expanded (which
  // may ask through the dialogs) and, with Ctrl but not Shift held, quoted;
  // the clipboard and the store are left alone. Nothing when the expansion
  // was cancelled.
  std::optional<std::string> PreviewText(const clipstore::Clip& clip) const;

 private:
  void PostPasteRequest(HWND target);

  PasteServices s_;
  expand::ClipExpander* expander_ = nullptr;
};

}  // namespace ambrel::win32
