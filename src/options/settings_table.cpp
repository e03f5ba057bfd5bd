#include "options/settings_table.h"

#include <array>
#include <cstdint>

#include "help_contexts.h"

namespace ambrel::options {
namespace {

using namespace controls;
using V = OptionValues;
using S = Setting;
using H = SettingHolder;

constexpr SettingRow Flag(S which, const char* name, bool on, std::size_t offset, int control,
                          bool V::* field) {
  return {.which = which, .name = name, .kind = SettingKind::kFlag, .defaultNumber = on ? 1 : 0,
          .offset = offset, .control = control, .option = {.flag = field}};
}

constexpr SettingRow Number(S which, const char* name, int value, int minimum, int maximum,
                            std::size_t offset, int control, int V::* field) {
  return {.which = which, .name = name, .kind = SettingKind::kNumber, .defaultNumber = value,
          .minimum = minimum, .maximum = maximum, .offset = offset, .width = 4, .control = control,
          .option = {.number = field}};
}

constexpr SettingRow Choice(S which, const char* name, int value, int last, std::size_t offset,
                            int firstButton, int V::* field) {
  SettingRow r = Number(which, name, value, 0, last, offset, firstButton, field);
  r.kind = SettingKind::kChoice;
  return r;
}

constexpr SettingRow Text(S which, const char* name, const char* value, std::size_t room,
                          std::size_t offset, int control, std::string V::* field) {
  return {.which = which, .name = name, .kind = SettingKind::kText, .defaultText = value,
          .offset = offset, .width = room, .control = control, .option = {.text = field}};
}

constexpr SettingCheck kMaxHistoryCheck{OptionField::kMaxHistory, -1, 5, 100,
                                        "クリップデータ登録数の値が範囲を越えています。", kHelpMaxHistoryRange, OptionPage::kData};
constexpr SettingCheck kMenuLenCheck{OptionField::kMenuLen, -1, 0, 200,
                                     "メニューの文字列長の値が範囲を越えています。", kHelpMenuLenRange, OptionPage::kData};
constexpr SettingCheck kIntervalCheck{OptionField::kInterval, -1, 0, 10,
                                      "作業中メッセージの表示インターバルの値が範囲を越えています。", kHelpIntervalRange,
                                      OptionPage::kOther};
// A shortcut needs its key part.
constexpr SettingCheck kHotKeyCheck{OptionField::kHotKey, 0xFF, 1, 0xFF, "ポップアップキーが指定されていません。",
                                    kHelpNoHotKey, OptionPage::kMenu};

constexpr SettingRow kRows[] = {
    {.which = S::kHotKey, .name = "HotKey", .kind = SettingKind::kKey, .defaultNumber = kDefaultHotKey,
     .minimum = 0, .maximum = 0xFFFF, .offset = 304, .width = 2, .control = kHotKey,
     .option = {.number = &V::hotKey}, .check = &kHotKeyCheck},
    Flag(S::kPopupHint, "PopupHint", true, 880, kHintBtn, &V::popupHint),
    Flag(S::kUpperTab, "UpperTab", true, 1144, kUpperTabBtn, &V::upperTab),
    Flag(S::kMultiLine, "MultiLine", false, 1145, kMultiLineBtn, &V::multiLine),
    Flag(S::kMultiLineBar, "MultiLineBar", true, 1146, kMultiLineBarBtn, &V::multiLineBar),
    {.which = S::kEditorFont, .name = "EditFont", .kind = SettingKind::kFont, .offset = 1148, .width = 48,
     .appliedLate = true, .control = kFontBtn, .option = {.font = &V::font}},
    Flag(S::kWordWrap, "WordWrap", false, 1137, kWordWrapBtn, &V::wordWrap),
    Flag(S::kMetaExpand, "MetaExpand", true, 1468, kMetaBtn, &V::metaExpand).HeldBy(H::kMeta),
    Flag(S::kDataSave, "DataSave", true, 1828, kDataSaveBtn, &V::dataSave),
    Flag(S::kGridLine, "GridLine", false, 1763, kGridLineBtn, &V::gridLine),
    Text(S::kQuote, "Quote", "》", 255, 1506, kQuoteEdit, &V::quote),
    Flag(S::kMenuMenu, "MenuMenu", true, 1476, kMenuMenuBtn, &V::menuMenu),
    Flag(S::kOptionMenu, "OptionMenu", true, 1505, kOptionMenuBtn, &V::optionMenu),
    Flag(S::kHelpMenu, "HelpMenu", true, 1762, kHelpMenuBtn, &V::helpMenu),
    Flag(S::kBeginner, "Beginner", true, 1824, kBeginnerBtn, &V::beginner).Late(),
    Flag(S::kDebugMode, "DebugMode", false, 1766, kDebugModeBtn, &V::debugMode),
    Flag(S::kDirectPopup, "DirectPopup", false, kNotInFile, kDirectPopupBtn, &V::directPopup),
    Flag(S::kSelfFocus, "SelfFocus", false, kNotInFile, kSelfFocusBtn, &V::selfFocus),
    Flag(S::kDskTpFocus, "DskTpFocus", false, 1764, kDskTpFocusBtn, &V::dskTpFocus),
    Flag(S::kFullMatching, "FullMatching", false, 1825, kFullMatchingBtn, &V::fullMatching),
    Flag(S::kListAutoSel, "ListAutoSel", true, 1826, kListAutoSelBtn, &V::listAutoSel),
    Flag(S::kTreeAutoSel, "TreeAutoSel", true, 1827, kTreeAutoSelBtn, &V::treeAutoSel),
    Number(S::kInterval, "Interval", 1, kMinInterval, kMaxInterval, 1876, kIntervalEdit, &V::interval)
        .Checked(&kIntervalCheck),
    Number(S::kMenuId, "MenuId", 28431, kMinMenuId, kMaxMenuId, 1868, kMenuIdEdit, &V::menuId),
    Text(S::kMenuCap, "MenuCap", "AMBREL", 30, 1836, kMenuCapEdit, &V::menuCap),
    Flag(S::kEditLink, "EditLink", true, 1873, kEditLinkBtn, &V::editLink),
    Flag(S::kMenuLink, "MenuLink", false, 1872, kMenuLinkBtn, &V::menuLink).Late(),
    Flag(S::kTreeButtons, "TreeBtn", true, 1765, kTreeBtnBtn, &V::treeBtn),
    Flag(S::kDistribute, "Distribute", true, 1147, kDistributeBtn, &V::distribute),
    // The clip store's caption settings, made again once after the last.
    Flag(S::kStaticComment, "StaticComment", true, 1874, kStaCmntBtn, &V::staticComment).HeldBy(H::kStore),
    Number(S::kMaxHistory, "MaxHistory", 5, 5, 30, 288, kMaxHistoryEdit, &V::maxHistory)
        .HeldBy(H::kStore).Checked(&kMaxHistoryCheck),
    Flag(S::kFirstLine, "FirstLine", false, 306, kFirstLineBtn, &V::firstLine).HeldBy(H::kStore),
    Number(S::kMenuLen, "MenuLen", 80, 20, 200, 308, kMenuLenEdit, &V::menuLen)
        .HeldBy(H::kStore).Checked(&kMenuLenCheck),
    Flag(S::kDuplicate, "Duplicate", true, 1469, kDuplicateBtn, &V::duplicate).HeldBy(H::kStore),
    Text(S::kCrChar, "CrChar", "⇔", 255, 881, kCrEdit, &V::crChar).HeldBy(H::kStore),
    Text(S::kTabChar, "TabChar", "⇒", 255, 1212, kTabEdit, &V::tabChar).HeldBy(H::kStore),
    Text(S::kSpaceChar, "SpaceChar", "□", 255, 1884, kSpaceCharEdit, &V::spaceChar).HeldBy(H::kStore),
    Flag(S::kChangeSpace, "ChangeSpace", false, 1772, kChgSpaceBtn, &V::changeSpace).HeldBy(H::kStore),
    // A flag kept as a 32-bit number: 1 vertical, 0 horizontal.
    Flag(S::kVertWindow, "VertWindow", true, 1768, kStyleBtn, &V::vertWindow).Wide(4),
    Choice(S::kPasteMethod, "PasteMethod", kPasteByCtrlV, kPasteByShiftInsert, 1880, kPasteMsgBtn, &V::pasteMethod),
    Choice(S::kPopupPos, "PopupPos", kPopupAtPoint, kPopupBottomRight, 1832, kCursorBtn, &V::popupPos),
    // Not in the dialog: its Debug tab shows itself, the separators size the tree.
    Flag(S::kShowDebugPage, "ShowDebugPage", false, 1504, 0, nullptr),
    Number(S::kTreeH, "TreeH", 0, INT32_MIN, INT32_MAX, 1480, 0, nullptr).Quiet(),
    Number(S::kTreeW, "TreeW", 0, INT32_MIN, INT32_MAX, 1484, 0, nullptr).Quiet(),
};
static_assert(std::size(kRows) == kSettingCount, "one row for every setting");

// The rows by Setting, made once.
constexpr std::array<const SettingRow*, kSettingCount> MakeIndex() {
  std::array<const SettingRow*, kSettingCount> index{};
  for (const SettingRow& row : kRows) index[static_cast<std::size_t>(row.which)] = &row;
  return index;
}
constexpr std::array<const SettingRow*, kSettingCount> kIndex = MakeIndex();

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

const SettingRow& RowOf(Setting which) { return *kIndex[static_cast<std::size_t>(which)]; }

}  // namespace ambrel::options
