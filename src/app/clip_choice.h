// What choosing a clip in the clip menu does: the decision by where the menu
// was opened and which modifiers are held, and the preparation of the text
// that is pasted.
#pragma once

#include <string>
#include <string_view>

#include "clipstore/clip_store.h"
#include "expand/clip_expander.h"
#include "platform/clipboard.h"

namespace ambrel::app {

enum class ChoiceAction {
  kSelect,      // chosen in the editor's own menu: show the clip there
  kEdit,        // Shift: open the clip in the editor window
  kMakeStatic,  // Ctrl+Shift on a clip that is not static yet
  kPaste,       // no modifier
  kPasteQuoted, // Ctrl
  kNothing,
};

struct ChoiceInput {
  bool asPopup = false;  // opened by the hot key or the tray, not in the editor
  bool ctrl = false;
  bool shift = false;
  bool isStatic = false;
  bool busyDialogs = false;
};

ChoiceAction DecideChoice(const ChoiceInput& input) noexcept;

bool IsStaticClip(const clipstore::Clip& clip);

// The gate every paste passes: a static clip loses its leading
// comment line and, with metaExpand, is expanded (which may be cancelled). A
// missing expander leaves the text as it is and goes ahead.
expand::ExpandResult ExpandClip(std::string_view text, bool isStatic, bool metaExpand,
                                expand::ClipExpander* expander);

// Every line prefixed by quote; a final CR LF adds no quoted empty line.
std::string QuoteText(std::string_view text, std::string_view quote);
// The same for a Unicode original.
std::u16string QuoteText(std::u16string_view text, std::u16string_view quote);

struct PasteSettings {
  bool metaExpand = true;
  std::string_view quote;
  std::u16string_view quoteUnicode;  // quote in Unicode, for the originals' lines
};

// What a paste puts for the clip's Unicode original: the original, quoted
// with quote; empty for a clip without one and for a static clip (whose text
// is expanded and has no original).
std::u16string PreparedOriginal(const clipstore::Clip& clip, bool quote, const PasteSettings& settings);

// The text a paste of the clip inserts: expanded through ExpandClip and, with
// quote, quoted. The store and the clipboard are left alone (the preview
// shows it). goAhead is false when the expansion was cancelled.
expand::ExpandResult PrepareClipText(const clipstore::Clip& clip, bool quote, const PasteSettings& settings,
                                     expand::ClipExpander* expander);

// The store and clipboard half of a paste: expands, takes a non-static clip
// other than the newest out of the store (the clipboard viewer brings it back
// as the newest), quotes and puts the text (and the clip's Unicode original,
// see PreparedOriginal) on the clipboard. False when
// nothing is to be pasted: expansion cancelled or the clipboard refused.
bool PrepareClipPaste(clipstore::TClipBase& store, int pageIndex, bool quote, const PasteSettings& settings,
                      expand::ClipExpander* expander, Clipboard& clipboard);

}  // namespace ambrel::app
