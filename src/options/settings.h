// The program's settings that are not clip-store properties. The parameter
// file fills and collects them; whoever changes one goes through its setter,
// which stores the value and then tells every registered observer (the
// editor window, the list and tree dialogs) so it can show the change at once.
// The hot key, the paste key and the menu link also go to the hook library.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Which setting a window must show again.
enum class Setting {
  kHotKey, kPopupHint, kUpperTab, kMultiLine, kMultiLineBar, kGridLine, kEditorFont,
  kWordWrap, kPasteMethod, kMenuMenu, kOptionMenu, kHelpMenu, kDebugMode, kMenuLink,
  kBeginner, kVertWindow, kTreeButtons, kInterval, kShowDebugPage,
  // The settings read where they are used; told all the same, so that a
  // window that shows one can follow it.
  kPopupPos, kDataSave, kDistribute, kFullMatching, kQuote, kTreeAutoSel, kListAutoSel,
  kDirectPopup, kSelfFocus, kDskTpFocus, kMenuCap, kMenuId, kEditLink,
};

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
// The linked menu item uses MenuId and MenuId - 1 as 16-bit command ids, and
// 0xFFFF is its separator's.
inline constexpr int kMinMenuId = 2, kMaxMenuId = 0xFFFE;
inline constexpr int kMaxFontPixels = 400, kMaxFontPoints = 300;

class Settings {
 public:
  // The hook may be null until the library is loaded.
  explicit Settings(HookControl* hook = nullptr);
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  void SetHook(HookControl* hook) { hook_ = hook; }
  void AddObserver(SettingsObserver* observer);
  void RemoveObserver(SettingsObserver* observer);

  // --- Setters that apply the setting ---
  // A shortcut without a key part changes nothing.
  void SetHotKey(std::uint16_t shortcut);
  void SetPopupHint(bool on);
  void SetUpperTab(bool on);
  void SetMultiLine(bool on);
  void SetMultiLineBar(bool on);
  void SetGridLine(bool on);
  // An oversized height, or a size out of 1..300 points, gives the default one.
  void SetEditorFont(const EditorFont& font);
  void SetWordWrap(bool on);
  // 0 WM_PASTE, 1 Ctrl+V, 2 Shift+Insert; kept within that range.
  void SetPasteMethod(int method);
  void SetMenuMenu(bool on);
  void SetOptionMenu(bool on);
  void SetHelpMenu(bool on);
  void SetDebugMode(bool on);
  // Passed to the hook library only while the hook is installed.
  void SetMenuLink(bool on);
  void SetBeginner(bool on);
  // 1 vertical split, 0 horizontal; any other value counts as 1.
  void SetVertWindow(int style);
  void SetTreeButtons(bool on);
  // Seconds before the work dialog shows, kept within 1..10.
  void SetInterval(int seconds);
  void SetShowDebugPage(bool on);

  // --- Settings read where they are used (stored, then told) ---
  // 0 at the mouse or caret, 1..4 the corners of the screen.
  void SetPopupPos(int pos);
  void SetDataSave(bool on) { Assign(dataSave_, on, Setting::kDataSave); }
  void SetDistribute(bool on) { Assign(distribute_, on, Setting::kDistribute); }
  void SetFullMatching(bool on) { Assign(fullMatching_, on, Setting::kFullMatching); }
  void SetQuote(std::string quote);
  void SetTreeAutoSel(bool on) { Assign(treeAutoSel_, on, Setting::kTreeAutoSel); }
  void SetListAutoSel(bool on) { Assign(listAutoSel_, on, Setting::kListAutoSel); }
  void SetDirectPopup(bool on) { Assign(directPopup_, on, Setting::kDirectPopup); }
  void SetSelfFocus(bool on) { Assign(selfFocus_, on, Setting::kSelfFocus); }
  void SetDskTpFocus(bool on) { Assign(dskTpFocus_, on, Setting::kDskTpFocus); }
  void SetMenuCap(std::string cap);
  void SetMenuId(int id);
  void SetEditLink(bool on) { Assign(editLink_, on, Setting::kEditLink); }
  void SetTreeW(int pixels) { treeW_ = pixels; }
  void SetTreeH(int pixels) { treeH_ = pixels; }
  // The designed defaults of TreeW and TreeH, from the editor's centre panel.
  void InitTreeSize(int centerPanelWidth, int centerPanelHeight);
  void SetSaveParamOnExit(bool on) { saveParamOnExit_ = on; }
  void SetSaveHistoryOnExit(bool on) { saveHistoryOnExit_ = on; }
  void SetSaveMetaOnExit(bool on) { saveMetaOnExit_ = on; }

  // --- Getters ---
  std::uint16_t HotKey() const { return hotKey_; }
  int PopupPos() const { return popupPos_; }
  bool MenuMenu() const { return menuMenu_; }
  bool OptionMenu() const { return optionMenu_; }
  bool HelpMenu() const { return helpMenu_; }
  bool MenuLink() const { return menuLink_; }
  bool DataSave() const { return dataSave_; }
  bool Distribute() const { return distribute_; }
  bool FullMatching() const { return fullMatching_; }
  int PasteMethod() const { return pasteMethod_; }
  // The wParam of the paste request: 1 when pasting by keystrokes.
  int PasteByKeys() const { return pasteMethod_ != 0 ? 1 : 0; }
  const std::string& Quote() const { return quote_; }
  bool TreeBtn() const { return treeBtn_; }
  bool TreeAutoSel() const { return treeAutoSel_; }
  bool GridLine() const { return gridLine_; }
  bool ListAutoSel() const { return listAutoSel_; }
  bool PopupHint() const { return popupHint_; }
  bool MultiLineBar() const { return multiLineBar_; }
  bool UpperTab() const { return upperTab_; }
  bool MultiLine() const { return multiLine_; }
  bool Beginner() const { return beginner_; }
  int VertWindow() const { return vertWindow_; }
  int Interval() const { return interval_; }
  int TreeW() const { return treeW_; }
  int TreeH() const { return treeH_; }
  // TreeW and TreeH kept at least 50 pixels and 50 short of the panel; the
  // clamped value is stored back.
  int GetTreeWidth(int centerPanelWidth);
  int GetTreeHeight(int centerPanelHeight);
  bool DebugMode() const { return debugMode_; }
  bool DirectPopup() const { return directPopup_; }
  bool SelfFocus() const { return selfFocus_; }
  bool DskTpFocus() const { return dskTpFocus_; }
  const std::string& MenuCap() const { return menuCap_; }
  int MenuId() const { return menuId_; }
  bool EditLink() const { return editLink_; }
  bool ShowDebugPage() const { return showDebugPage_; }
  const EditorFont& GetEditorFont() const { return editorFont_; }
  bool GetWordWrap() const { return wordWrap_; }
  bool SaveParamOnExit() const { return saveParamOnExit_; }
  bool SaveHistoryOnExit() const { return saveHistoryOnExit_; }
  bool SaveMetaOnExit() const { return saveMetaOnExit_; }

 private:
  void Changed(Setting which);
  // The plain setters: store the value and tell the observers.
  template <typename T>
  void Assign(T& field, T value, Setting which) {
    field = value;
    Changed(which);
  }

  HookControl* hook_;
  std::vector<SettingsObserver*> observers_;

  std::uint16_t hotKey_ = kDefaultHotKey;
  int popupPos_ = 0;
  bool menuMenu_ = true;
  bool optionMenu_ = true;
  bool helpMenu_ = true;
  bool menuLink_ = false;
  bool dataSave_ = true;
  bool distribute_ = true;
  bool fullMatching_ = false;
  int pasteMethod_ = 1;
  std::string quote_ = "》";
  bool treeBtn_ = true;
  bool treeAutoSel_ = true;
  bool gridLine_ = false;
  bool listAutoSel_ = true;
  bool popupHint_ = true;
  bool multiLineBar_ = true;
  bool upperTab_ = true;
  bool multiLine_ = false;
  bool beginner_ = true;
  int vertWindow_ = 1;
  int interval_ = 1;
  int treeW_ = 0;
  int treeH_ = 0;
  bool debugMode_ = false;
  bool directPopup_ = false;
  bool selfFocus_ = false;
  bool dskTpFocus_ = false;
  std::string menuCap_ = "AMBREL";
  int menuId_ = 28431;
  bool editLink_ = true;
  bool showDebugPage_ = false;
  EditorFont editorFont_;
  bool wordWrap_ = false;
  bool saveParamOnExit_ = true;
  bool saveHistoryOnExit_ = true;
  bool saveMetaOnExit_ = true;
};

// The first bytes of text that hold at most maxBytes, never ending inside a
// double-byte character.
std::string CutShiftJis(std::string_view text, std::size_t maxBytes);

}  // namespace ambrel::options
