#include "options/option_values.h"

#include <charconv>

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"

namespace ambrel::options {
namespace {

// The hot-key control's modifier bits, in its value's high byte.
constexpr std::uint16_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04;

struct Bound {
  OptionField field;
  int minimum, maximum;
  const char* message;
  int helpContext;
  OptionPage page;
};

constexpr Bound kBounds[] = {
    {OptionField::kMaxHistory, 5, 100, "クリップデータ登録数の値が範囲を越えています。", 1112, OptionPage::kData},
    {OptionField::kMenuLen, 0, 200, "メニューの文字列長の値が範囲を越えています。", 1113, OptionPage::kData},
    {OptionField::kInterval, 0, 10, "作業中メッセージの表示インターバルの値が範囲を越えています。", 1121,
     OptionPage::kOther},
};

int ValueOf(const OptionValues& v, OptionField field) {
  switch (field) {
    case OptionField::kMaxHistory: return v.maxHistory;
    case OptionField::kMenuLen: return v.menuLen;
    case OptionField::kInterval: return v.interval;
    case OptionField::kHotKey: break;
  }
  return v.hotKey;
}

}  // namespace

OptionValues LoadOptionValues(const OptionHolders& h) {
  const Settings& s = h.settings;
  const clipstore::CaptionSettings& c = h.store.Captions();
  OptionValues v;
  v.hotKey = s.HotKey();
  v.menuMenu = s.MenuMenu();
  v.optionMenu = s.OptionMenu();
  v.helpMenu = s.HelpMenu();
  v.popupPos = s.PopupPos();
  v.menuLink = s.MenuLink();
  v.maxHistory = h.store.MaxHistory();
  v.duplicate = h.store.Duplicate();
  v.distribute = s.Distribute();
  v.fullMatching = s.FullMatching();
  v.dataSave = s.DataSave();
  v.menuLen = c.menuLen;
  v.firstLine = c.firstLine;
  v.crChar = c.crChar;
  v.spaceChar = c.spaceChar;
  v.tabChar = c.tabChar;
  v.changeSpace = c.changeSpace;
  v.pasteMethod = s.PasteMethod();
  v.quote = s.Quote();
  v.metaExpand = h.meta.MetaExpand();
  v.staticComment = c.staticComment;
  v.font = s.GetEditorFont();
  v.wordWrap = s.GetWordWrap();
  v.upperTab = s.UpperTab();
  v.multiLine = s.MultiLine();
  v.gridLine = s.GridLine();
  v.listAutoSel = s.ListAutoSel();
  v.treeBtn = s.TreeBtn();
  v.treeAutoSel = s.TreeAutoSel();
  v.multiLineBar = s.MultiLineBar();
  v.popupHint = s.PopupHint();
  v.beginner = s.Beginner();
  v.vertWindow = s.VertWindow() == 1;
  v.interval = s.Interval();
  v.skipParam = !s.SaveParamOnExit();
  v.skipHistory = !s.SaveHistoryOnExit();
  v.skipMeta = !s.SaveMetaOnExit();
  v.debugMode = s.DebugMode();
  v.directPopup = s.DirectPopup();
  v.selfFocus = s.SelfFocus();
  v.dskTpFocus = s.DskTpFocus();
  v.menuId = s.MenuId();
  v.menuCap = s.MenuCap();
  v.editLink = s.EditLink();
  return v;
}

void StoreOptionValues(const OptionValues& v, const OptionHolders& h) {
  Settings& s = h.settings;
  s.SetHotKey(v.hotKey);
  s.SetPopupHint(v.popupHint);
  s.SetUpperTab(v.upperTab);
  s.SetMultiLine(v.multiLine);
  s.SetMultiLineBar(v.multiLineBar);
  s.SetEditorFont(v.font);
  s.SetWordWrap(v.wordWrap);

  h.meta.SetMetaExpand(v.metaExpand);
  s.SetDataSave(v.dataSave);
  s.SetGridLine(v.gridLine);
  s.SetQuote(v.quote);

  s.SetMenuMenu(v.menuMenu);
  s.SetOptionMenu(v.optionMenu);
  s.SetHelpMenu(v.helpMenu);
  s.SetBeginner(v.beginner);
  s.SetDebugMode(v.debugMode);
  s.SetDirectPopup(v.directPopup);
  s.SetSelfFocus(v.selfFocus);
  s.SetDskTpFocus(v.dskTpFocus);
  s.SetFullMatching(v.fullMatching);
  s.SetListAutoSel(v.listAutoSel);
  s.SetTreeAutoSel(v.treeAutoSel);
  s.SetInterval(v.interval);
  s.SetMenuId(v.menuId);
  s.SetMenuCap(v.menuCap);
  s.SetEditLink(v.editLink);
  s.SetMenuLink(v.menuLink);
  s.SetTreeButtons(v.treeBtn);
  s.SetDistribute(v.distribute);

  // The captions are made again once, after the last of their settings.
  clipstore::TClipBase& store = h.store;
  store.SetCaptionUpdating(false);
  store.SetStaticComment(v.staticComment);
  store.SetMaxHistory(v.maxHistory);
  store.SetFirstLine(v.firstLine);
  store.SetMenuLen(v.menuLen);
  store.SetDuplicate(v.duplicate);
  store.SetCrChar(v.crChar);
  store.SetTabChar(v.tabChar);
  store.SetSpaceChar(v.spaceChar);
  store.SetChangeSpace(v.changeSpace);
  store.SetCaptionUpdating(true);

  s.SetVertWindow(v.vertWindow ? 1 : 0);
  s.SetPasteMethod(v.pasteMethod);
  s.SetPopupPos(v.popupPos);

  s.SetSaveParamOnExit(!v.skipParam);
  s.SetSaveHistoryOnExit(!v.skipHistory);
  s.SetSaveMetaOnExit(!v.skipMeta);
}

std::optional<OptionFailure> ValidateOptions(const OptionValues& v) {
  for (const Bound& b : kBounds) {
    const int value = ValueOf(v, b.field);
    if (value < b.minimum || value > b.maximum) return OptionFailure{b.field, b.message, b.helpContext, b.page};
  }
  if ((v.hotKey & 0xFF) == 0)
    return OptionFailure{OptionField::kHotKey, "ポップアップキーが指定されていません。", 1114, OptionPage::kMenu};
  return std::nullopt;
}

int SpinFieldValue(std::string_view text, int minimum) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || rest != end) return minimum;
  return value;
}

std::uint16_t NormalizeHotKey(std::uint16_t shortcut) {
  const std::uint16_t modifiers = shortcut & (kHotKeyShift | kHotKeyCtrl | kHotKeyAlt);
  if ((shortcut & 0xFF) != 0 && (modifiers == 0 || modifiers == kHotKeyShift))
    shortcut = static_cast<std::uint16_t>((shortcut & 0xFF) | kHotKeyCtrl | kHotKeyShift);
  return shortcut;
}

std::uint16_t ShortcutFromHotKeyControl(std::uint16_t controlValue) {
  const unsigned mods = controlValue >> 8;
  unsigned shortcut = controlValue & 0xFFu;
  if (mods & kControlShift) shortcut |= kHotKeyShift;
  if (mods & kControlCtrl) shortcut |= kHotKeyCtrl;
  if (mods & kControlAlt) shortcut |= kHotKeyAlt;
  return NormalizeHotKey(static_cast<std::uint16_t>(shortcut));
}

std::uint16_t HotKeyControlFromShortcut(std::uint16_t shortcut) {
  unsigned mods = 0;
  if (shortcut & kHotKeyShift) mods |= kControlShift;
  if (shortcut & kHotKeyCtrl) mods |= kControlCtrl;
  if (shortcut & kHotKeyAlt) mods |= kControlAlt;
  return static_cast<std::uint16_t>((shortcut & 0xFFu) | (mods << 8));
}

}  // namespace ambrel::options
