#include "app/clip_choice.h"

namespace ambrel::app {

using clipstore::Clip;
using clipstore::MenuItem;
using clipstore::TClipBase;

namespace {

template <typename Char>
std::basic_string<Char> QuoteLines(std::basic_string_view<Char> text, std::basic_string_view<Char> quote) {
  static constexpr Char kLineEnd[] = {Char('\r'), Char('\n'), Char(0)};
  std::basic_string<Char> out;
  std::size_t lines = 1;
  for (std::size_t p = text.find(kLineEnd); p != std::basic_string_view<Char>::npos; p = text.find(kLineEnd, p + 2))
    ++lines;
  out.reserve(text.size() + lines * quote.size());
  while (!text.empty()) {
    const std::size_t end = text.find(kLineEnd);
    const std::size_t take = end == std::basic_string_view<Char>::npos ? text.size() : end + 2;
    out.append(quote).append(text.substr(0, take));
    text.remove_prefix(take);
  }
  return out;
}

constexpr std::string_view kCrLf = "\r\n";

}  // namespace

ChoiceAction DecideChoice(const ChoiceInput& in) noexcept {
  if (!in.asPopup) return ChoiceAction::kSelect;
  if (in.shift && !in.ctrl) return in.busyDialogs ? ChoiceAction::kNothing : ChoiceAction::kEdit;
  if (in.shift && in.ctrl) return in.isStatic ? ChoiceAction::kNothing : ChoiceAction::kMakeStatic;
  return in.ctrl ? ChoiceAction::kPasteQuoted : ChoiceAction::kPaste;
}

bool IsStaticClip(const Clip& clip) { return clip.slot.IsStatic(); }

expand::ExpandResult ExpandClip(std::string_view text, bool isStatic, bool metaExpand,
                                expand::ClipExpander* expander) {
  if (!isStatic) return {true, std::string(text)};
  if (!text.empty() && text.front() == ';') {
    const std::size_t end = text.find(kCrLf);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + kCrLf.size());
  }
  if (!metaExpand || !expander) return {true, std::string(text)};
  return expander->Expand(text);
}

std::string QuoteText(std::string_view text, std::string_view quote) { return QuoteLines(text, quote); }

std::u16string QuoteText(std::u16string_view text, std::u16string_view quote) { return QuoteLines(text, quote); }

expand::ExpandResult PrepareClipText(const Clip& clip, bool quote, const PasteSettings& settings,
                                     expand::ClipExpander* expander) {
  expand::ExpandResult prepared = ExpandClip(clip.text, IsStaticClip(clip), settings.metaExpand, expander);
  if (prepared.goAhead && quote) prepared.text = QuoteText(prepared.text, settings.quote);
  return prepared;
}

std::u16string PreparedOriginal(const Clip& clip, bool quote, const PasteSettings& settings) {
  if (clip.original.empty() || IsStaticClip(clip)) return {};
  return quote ? QuoteText(clip.original, settings.quoteUnicode) : clip.original;
}

bool PrepareClipPaste(TClipBase& store, int pageIndex, bool quote, const PasteSettings& settings,
                      expand::ClipExpander* expander, Clipboard& clipboard) {
  if (pageIndex < 0 || pageIndex >= store.PageCount()) return false;
  const Clip& clip = store.Page(pageIndex);
  const bool isStatic = IsStaticClip(clip);
  const expand::ExpandResult prepared = PrepareClipText(clip, quote, settings, expander);
  if (!prepared.goAhead) return false;
  MenuItem* menu = clip.menuItem ? clip.menuItem->parent : nullptr;
  const int kind = clip.slot.Number();
  std::string text = clip.text;
  std::u16string original = clip.original;
  const std::u16string unicode = PreparedOriginal(clip, quote, settings);
  // Taken out before the clipboard write: the write comes straight back
  // through the clipboard viewer as the newest clip, which shifts the pages.
  const bool taken = !isStatic && pageIndex != 0;
  if (taken) store.DeleteClip(pageIndex);
  if (clipboard.SetText(prepared.text, unicode)) return true;
  // Nothing came back through the clipboard: the clip must not be lost.
  if (taken && menu) store.AddClip(*menu, kind, false, text, original);
  return false;
}

}  // namespace ambrel::app
