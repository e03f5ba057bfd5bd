// The program's settings that are not clip-store properties. The parameter
// file fills and collects them; whoever changes one goes through its setter,
// which stores the value and then tells every registered observer (the
// editor window, the list and tree dialogs) so it can show the change at once.
// The hot key, the paste key and the menu link also go to the hook library.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hooklib/union_data.h"

namespace ambrel::options {

// What the settings need of the hook library.
class HookControl {
 public:
  virtual ~HookControl() = default;
  virtual void SetKeyCode(std::uint8_t key, bool shift, bool ctrl, bool alt) = 0;
  // 0 Ctrl+V, 1 Shift+Insert.
  virtual void SetPasteKeyCode(int code) = 0;
  virtual void SetMenuInfo(bool menuLink, bool editLink, std::string_view menuCap,
                           int menuId) = 0;
  // False until SetHook has returned the pop-up message number.
  virtual bool Installed() const = 0;
};

// The font of the clip editors and the other text editors.
struct EditorFont {
  std::int32_t color = 0x00FF0000;  // blue, as a COLORREF (0x00BBGGRR)
  std::int32_t height = -16;
  std::string name = "ＭＳ Ｐゴシック";
  std::uint8_t style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
  std::int32_t size = 12;  // points

  bool operator==(const EditorFont&) const = default;
};

enum FontStyle : std::uint8_t {
  kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8,
};

// Every setting, as it is named in the settings table (settings_table.h),
// and, for the settings this class holds, what a window is told when one
// changes so that it shows it again.
enum class Setting {
  kHotKey, kPopupHint, kUpperTab, kMultiLine, kMultiLineBar, kGridLine, kEditorFont,
  kWordWrap, kPasteMethod, kMenuMenu, kOptionMenu, kHelpMenu, kDebugMode, kMenuLink,
  kBeginner, kVertWindow, kTreeButtons, kInterval, kShowDebugPage,
  // The settings read where they are used; told all the same, so that a
  // window that shows one can follow it.
  kPopupPos, kDataSave, kDistribute, kFullMatching, kQuote, kTreeAutoSel, kListAutoSel,
  kDirectPopup, kSelfFocus, kDskTpFocus, kMenuCap, kMenuId, kEditLink,
  // Kept and never told: the tree's sizes follow the separators.
  kTreeW, kTreeH,
  // Held by the clip store and the static variables, which tell their own
  // observers.
  kMaxHistory, kDuplicate, kMenuLen, kFirstLine, kCrChar, kTabChar, kSpaceChar, kChangeSpace,
  kStaticComment, kMetaExpand,
  kCount
};
inline constexpr std::size_t kSettingCount = static_cast<std::size_t>(Setting::kCount);

class SettingsObserver {
 public:
  virtual ~SettingsObserver() = default;
  virtual void OnSettingChanged(Setting which) = 0;
};

inline constexpr std::uint16_t kHotKeyShift = 0x2000;
inline constexpr std::uint16_t kHotKeyCtrl = 0x4000;
inline constexpr std::uint16_t kHotKeyAlt = 0x8000;
inline constexpr std::uint16_t kDefaultHotKey = kHotKeyCtrl | kHotKeyShift | 'V';

// Ranges of the numeric settings. A value outside (from a damaged or foreign
// parameter file) is brought into range by its setter, so every use may
// trust it.
inline constexpr int kMinInterval = 1, kMaxInterval = 10;
inline constexpr int kPasteByMessage = 0, kPasteByCtrlV = 1, kPasteByShiftInsert = 2;
inline constexpr int kPopupAtPoint = 0, kPopupBottomRight = 4;
inline constexpr int kMinMenuId = hooklib::kFirstMenuId, kMaxMenuId = hooklib::kLastMenuId;
inline constexpr int kMaxFontPixels = 400, kMaxFontPoints = 300;

class Settings {
 public:
  // The hook may be null until the library is loaded. Every setting starts
  // at its default of the settings table.
  explicit Settings(HookControl* hook = nullptr);
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  void SetHook(HookControl* hook) { hook_ = hook; }
  void AddObserver(SettingsObserver* observer);
  void RemoveObserver(SettingsObserver* observer);

  // --- Any setting of the table this class holds, by its name ---
  // Flags, numbers and the hot key. A number is brought into the table's
  // range; the hot key, paste method and menu link also reach the hook
  // library. Observers are told when the table says so.
  int Number(Setting which) const { return numbers_[Index(which)]; }
  bool Flag(Setting which) const { return Number(which) != 0; }
  void SetNumber(Setting which, int value);
  void SetFlag(Setting which, bool on) { SetNumber(which, on ? 1 : 0); }
  // Texts, cut to the table's room at a character boundary.
  const std::string& Text(Setting which) const { return texts_[Index(which)]; }
  void SetText(Setting which, std::string_view text);

  // --- Named setters (the ones above, for the callers' reading) ---
  // A shortcut without a key part changes nothing.
  void SetHotKey(std::uint16_t shortcut) { SetNumber(Setting::kHotKey, shortcut); }
  void SetPopupHint(bool on) { SetFlag(Setting::kPopupHint, on); }
  void SetUpperTab(bool on) { SetFlag(Setting::kUpperTab, on); }
  void SetMultiLine(bool on) { SetFlag(Setting::kMultiLine, on); }
  void SetMultiLineBar(bool on) { SetFlag(Setting::kMultiLineBar, on); }
  void SetGridLine(bool on) { SetFlag(Setting::kGridLine, on); }
  // An oversized height, or a size out of 1..300 points, gives the default one.
  void SetEditorFont(const EditorFont& font);
  void SetWordWrap(bool on) { SetFlag(Setting::kWordWrap, on); }
  // 0 WM_PASTE, 1 Ctrl+V, 2 Shift+Insert; kept within that range.
  void SetPasteMethod(int method) { SetNumber(Setting::kPasteMethod, method); }
  void SetMenuMenu(bool on) { SetFlag(Setting::kMenuMenu, on); }
  void SetOptionMenu(bool on) { SetFlag(Setting::kOptionMenu, on); }
  void SetHelpMenu(bool on) { SetFlag(Setting::kHelpMenu, on); }
  void SetDebugMode(bool on) { SetFlag(Setting::kDebugMode, on); }
  // Passed to the hook library only while the hook is installed.
  void SetMenuLink(bool on) { SetFlag(Setting::kMenuLink, on); }
  void SetBeginner(bool on) { SetFlag(Setting::kBeginner, on); }
  // 1 vertical split, 0 horizontal; any other value counts as 1.
  void SetVertWindow(int style) { SetFlag(Setting::kVertWindow, style != 0); }
  void SetTreeButtons(bool on) { SetFlag(Setting::kTreeButtons, on); }
  // Seconds before the work dialog shows, kept within 1..10.
  void SetInterval(int seconds) { SetNumber(Setting::kInterval, seconds); }
  void SetShowDebugPage(bool on) { SetFlag(Setting::kShowDebugPage, on); }
  // 0 at the mouse or caret, 1..4 the corners of the screen.
  void SetPopupPos(int pos) { SetNumber(Setting::kPopupPos, pos); }
  void SetDataSave(bool on) { SetFlag(Setting::kDataSave, on); }
  void SetDistribute(bool on) { SetFlag(Setting::kDistribute, on); }
  void SetFullMatching(bool on) { SetFlag(Setting::kFullMatching, on); }
  void SetQuote(std::string quote) { SetText(Setting::kQuote, quote); }
  void SetTreeAutoSel(bool on) { SetFlag(Setting::kTreeAutoSel, on); }
  void SetListAutoSel(bool on) { SetFlag(Setting::kListAutoSel, on); }
  void SetDirectPopup(bool on) { SetFlag(Setting::kDirectPopup, on); }
  void SetSelfFocus(bool on) { SetFlag(Setting::kSelfFocus, on); }
  void SetDskTpFocus(bool on) { SetFlag(Setting::kDskTpFocus, on); }
  void SetMenuCap(std::string cap) { SetText(Setting::kMenuCap, cap); }
  void SetMenuId(int id) { SetNumber(Setting::kMenuId, id); }
  void SetEditLink(bool on) { SetFlag(Setting::kEditLink, on); }
  void SetTreeW(int pixels) { SetNumber(Setting::kTreeW, pixels); }
  void SetTreeH(int pixels) { SetNumber(Setting::kTreeH, pixels); }
  // The designed defaults of TreeW and TreeH, from the editor's centre panel.
  void InitTreeSize(int centerPanelWidth, int centerPanelHeight);
  // Whether the files are written at exit: switches of this session only.
  void SetSaveParamOnExit(bool on) { saveParamOnExit_ = on; }
  void SetSaveHistoryOnExit(bool on) { saveHistoryOnExit_ = on; }
  void SetSaveMetaOnExit(bool on) { saveMetaOnExit_ = on; }

  // --- Named getters ---
  std::uint16_t HotKey() const { return static_cast<std::uint16_t>(Number(Setting::kHotKey)); }
  int PopupPos() const { return Number(Setting::kPopupPos); }
  bool MenuMenu() const { return Flag(Setting::kMenuMenu); }
  bool OptionMenu() const { return Flag(Setting::kOptionMenu); }
  bool HelpMenu() const { return Flag(Setting::kHelpMenu); }
  bool MenuLink() const { return Flag(Setting::kMenuLink); }
  bool DataSave() const { return Flag(Setting::kDataSave); }
  bool Distribute() const { return Flag(Setting::kDistribute); }
  bool FullMatching() const { return Flag(Setting::kFullMatching); }
  int PasteMethod() const { return Number(Setting::kPasteMethod); }
  // The wParam of the paste request: 1 when pasting by keystrokes.
  int PasteByKeys() const { return PasteMethod() != 0 ? 1 : 0; }
  const std::string& Quote() const { return Text(Setting::kQuote); }
  bool TreeBtn() const { return Flag(Setting::kTreeButtons); }
  bool TreeAutoSel() const { return Flag(Setting::kTreeAutoSel); }
  bool GridLine() const { return Flag(Setting::kGridLine); }
  bool ListAutoSel() const { return Flag(Setting::kListAutoSel); }
  bool PopupHint() const { return Flag(Setting::kPopupHint); }
  bool MultiLineBar() const { return Flag(Setting::kMultiLineBar); }
  bool UpperTab() const { return Flag(Setting::kUpperTab); }
  bool MultiLine() const { return Flag(Setting::kMultiLine); }
  bool Beginner() const { return Flag(Setting::kBeginner); }
  int VertWindow() const { return Number(Setting::kVertWindow); }
  int Interval() const { return Number(Setting::kInterval); }
  int TreeW() const { return Number(Setting::kTreeW); }
  int TreeH() const { return Number(Setting::kTreeH); }
  // TreeW and TreeH kept at least 50 pixels and 50 short of the panel; the
  // clamped value is stored back.
  int GetTreeWidth(int centerPanelWidth);
  int GetTreeHeight(int centerPanelHeight);
  bool DebugMode() const { return Flag(Setting::kDebugMode); }
  bool DirectPopup() const { return Flag(Setting::kDirectPopup); }
  bool SelfFocus() const { return Flag(Setting::kSelfFocus); }
  bool DskTpFocus() const { return Flag(Setting::kDskTpFocus); }
  const std::string& MenuCap() const { return Text(Setting::kMenuCap); }
  int MenuId() const { return Number(Setting::kMenuId); }
  bool EditLink() const { return Flag(Setting::kEditLink); }
  bool ShowDebugPage() const { return Flag(Setting::kShowDebugPage); }
  const EditorFont& GetEditorFont() const { return editorFont_; }
  bool GetWordWrap() const { return Flag(Setting::kWordWrap); }
  bool SaveParamOnExit() const { return saveParamOnExit_; }
  bool SaveHistoryOnExit() const { return saveHistoryOnExit_; }
  bool SaveMetaOnExit() const { return saveMetaOnExit_; }

 private:
  static constexpr std::size_t Index(Setting which) { return static_cast<std::size_t>(which); }
  void Changed(Setting which);
  // What the hook library must learn of a changed setting.
  void TellHook(Setting which);

  HookControl* hook_;
  std::vector<SettingsObserver*> observers_;
  // Indexed by Setting; the clip store's and static variables' slots stay unused.
  std::array<int, kSettingCount> numbers_{};
  std::array<std::string, kSettingCount> texts_{};
  EditorFont editorFont_;
  bool saveParamOnExit_ = true;
  bool saveHistoryOnExit_ = true;
  bool saveMetaOnExit_ = true;
};

// The first bytes of text that hold at most maxBytes, never ending inside a
// double-byte character.
std::string CutShiftJis(std::string_view text, std::size_t maxBytes);

// A stored tree size as the centre panel can show it: at least 50 pixels and
// 50 short of the panel.
int ClampTreeExtent(int value, int panelExtent);

}  // namespace ambrel::options
