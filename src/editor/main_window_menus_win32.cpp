// The editor window's menus: what they show when they open, the hints of
// their items, the pop-ups of its controls, and the commands the window
// carries out itself.
#include "editor/main_window_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include "editor/menu_rules.h"
#include "help_contexts.h"
#include "platform/help_win32.h"

namespace ambrel::win32 {
namespace {

bool IsToolBar(HWND window) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, TOOLBARCLASSNAMEA) == 0;
}

// A pop-up's place: the screen point of a mouse click, or for the keyboard
// (-1) a little inside the window it is for.
POINT MenuPoint(HWND window, LPARAM position) {
  if (position != -1) return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  RECT rc{};
  GetWindowRect(window, &rc);
  return {rc.left + 20, rc.top + 20};
}

}  // namespace

bool MainWindow::RunOwnCommand(int id, LPARAM from) {
  if (RunEditCommand(id) || RunSettingCommand(id)) return true;
  if (DataMenu::Handles(id)) return dataMenu_.Handle(id, hwnd(), tree_.hwnd(), SelectedNode());
  switch (id) {
    case editor::kCmdCloseEditor: CloseEditor(); return true;
    case editor::kCmdHelpHello: openHelp_(kHelpIndex); return true;
    case editor::kCmdHelpEasy: openHelp_(kHelpStart); return true;
    case editor::kCmdHelpTopics: openHelp_(kHelpContents); return true;
    case editor::kCmdEditMenu: PopEditMenuUnder(id, reinterpret_cast<HWND>(from)); return true;
    default: return false;
  }
}

bool MainWindow::RunEditCommand(int id) {
  static constexpr struct {
    int id;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } kEdits[] = {{editor::kCmdUndo, EM_UNDO, 0, 0},   {editor::kCmdCut, WM_CUT, 0, 0},
                {editor::kCmdCopy, WM_COPY, 0, 0},   {editor::kCmdPaste, WM_PASTE, 0, 0},
                {editor::kCmdDeleteChar, WM_CLEAR, 0, 0}, {editor::kCmdSelectAll, EM_SETSEL, 0, -1}};
  for (const auto& e : kEdits) {
    if (e.id != id) continue;
    if (HWND editor = CurrentEditor()) SendMessageA(editor, e.message, e.wParam, e.lParam);
    return true;
  }
  return false;
}

bool MainWindow::RunSettingCommand(int id) {
  options::Settings& s = settings_;
  switch (id) {
    case editor::kCmdBeginner: s.SetBeginner(!s.Beginner()); return true;
    case editor::kCmdVertWindow: s.SetVertWindow(s.VertWindow() == 1 ? 0 : 1); return true;
    case editor::kCmdPopupHint: s.SetPopupHint(!s.PopupHint()); return true;
    case editor::kCmdMultiLineBar: s.SetMultiLineBar(!s.MultiLineBar()); return true;
    case editor::kCmdUpperTab: s.SetUpperTab(!s.UpperTab()); return true;
    case editor::kCmdMultiLine: s.SetMultiLine(!s.MultiLine()); return true;
    case editor::kCmdWordWrap: s.SetWordWrap(!s.GetWordWrap()); return true;
    default: return false;
  }
}

bool MainWindow::Available(int id) const {
  if (commands_.Has(id) || DataMenu::Handles(id)) return true;
  if (id >= editor::kCmdUndo && id <= editor::kCmdSelectAll) return CurrentEditor() != nullptr;
  if (id >= editor::kCmdBeginner && id <= editor::kCmdWordWrap) return true;
  switch (id) {
    case editor::kCmdCloseEditor:
    case editor::kCmdHelpHello:
    case editor::kCmdHelpEasy:
    case editor::kCmdHelpTopics:
    case editor::kCmdEditMenu: return true;
    default: return false;
  }
}

editor::MenuFacts MainWindow::Facts() const {
  editor::MenuFacts f = editor::StoreFacts(store_, SelectedNode());
  if (HWND editor = CurrentEditor()) {
    CHARRANGE range{};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    f.editorSelection = range.cpMax > range.cpMin;
  }
  f.clipboardText = IsClipboardFormatAvailable(CF_TEXT) != 0;
  f.beginner = settings_.Beginner();
  f.metaEditorShown = commands_.editorOverride && commands_.editorOverride() != nullptr;
  f.vertWindow = settings_.VertWindow() == 1;
  f.popupHint = settings_.PopupHint();
  f.multiLineBar = settings_.MultiLineBar();
  f.upperTab = settings_.UpperTab();
  f.multiLine = settings_.MultiLine();
  f.wordWrap = settings_.GetWordWrap();
  return f;
}

void MainWindow::OnContextMenu(HWND from, LPARAM position) {
  const POINT at = MenuPoint(from, position);
  int id = 0;
  if (from == tree_.hwnd()) {
    // A right click selects the item under the pointer first.
    if (position != -1 && !structureDirty_) tree_.SelectAt(at);
    id = treeMenu_.Track(hwnd(), at, Facts(), [this](int c) { return Available(c); });
  } else if (from == pages_.tabs()) {
    TrackPageCtrlMenu(hwnd(), at);
  } else if (from == pages_.editor() || (from && from == CurrentEditor())) {
    // The page's editor, or a dialog's own while it is the current one.
    TrackEditMenu(at);
  } else if (IsToolBar(from)) {
    TrackToolBarMenu(at);
  } else {
    Default(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(from), position);
  }
  if (id) OnCommand(static_cast<WPARAM>(id), 0);
}

void MainWindow::TrackPageCtrlMenu(HWND owner, POINT at) {
  const int id = pageCtrlMenu_.Track(owner, at, Facts(), [this](int c) { return Available(c); });
  if (id) OnCommand(static_cast<WPARAM>(id), 0);
}

const char* MainWindow::PageCtrlMenuHint(HMENU menu, UINT item, UINT flags) const {
  const editor::MenuEntry* entry = pageCtrlMenu_.EntryOf(menu, item, flags);
  return entry ? entry->hint : nullptr;
}

void MainWindow::TrackToolBarMenu(POINT at) {
  const int id = toolBarMenu_.Track(hwnd(), at, Facts(), [this](int c) { return Available(c); });
  if (id) OnCommand(static_cast<WPARAM>(id), 0);
}

void MainWindow::TrackEditMenu(POINT at) {
  const int id = editMenu_.Track(hwnd(), at, Facts(), [this](int c) { return Available(c); });
  if (id) OnCommand(static_cast<WPARAM>(id), 0);
}

// The edit menu's button: the menu opens under its bottom-left corner.
void MainWindow::PopEditMenuUnder(int buttonId, HWND toolBar) {
  RECT rc{};
  POINT at{};
  if (toolBar && SendMessageA(toolBar, TB_GETRECT, static_cast<WPARAM>(buttonId), reinterpret_cast<LPARAM>(&rc))) {
    at = {rc.left, rc.bottom};
    ClientToScreen(toolBar, &at);
  } else {
    at = MenuPoint(CurrentEditor() ? CurrentEditor() : hwnd(), -1);
  }
  TrackEditMenu(at);
}

void MainWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  highlightedHelp_ = 0;
  if (!menu) return;  // the menu closed
  // The edit menu's file items belong to the window owning the edit.
  const int owner = commands_.editorOverride && commands_.editorOverride() ? kHelpStaticVariableEdit : kHelpEditor;
  const std::pair<const TableMenu*, int> menus[] = {{&mainMenu_, kHelpEditor},   {&treeMenu_, kHelpEditor},
                                                    {&pageCtrlMenu_, kHelpEditor}, {&toolBarMenu_, kHelpEditor},
                                                    {&editMenu_, kHelpEditMenu}};
  for (const auto& [m, context] : menus) {
    if (const editor::MenuEntry* entry = m->EntryOf(menu, item, flags)) {
      highlightedHelp_ = editor::MenuItemHelp(*entry, context, owner);
      if (auto text = editor::StatusTextOfMenuHint(entry->hint);
          text && !(menuHintElsewhere_ && menuHintElsewhere_(*text)))
        statusBar_.SetHint(*text);
      return;
    }
  }
}

void MainWindow::OnHelp(const HELPINFO& info) {
  if (info.iContextType != HELPINFO_MENUITEM) {
    openHelp_(kHelpEditor);
  } else if (highlightedHelp_ != 0) {
    openHelp_(highlightedHelp_);
  } else {
    OpenMenuHelp(info);  // the clip menu's items carry their own
  }
}

void MainWindow::ShowHint(const std::string& text) { statusBar_.SetHint(editor::StatusTextOfControlHint(text)); }

}  // namespace ambrel::win32
