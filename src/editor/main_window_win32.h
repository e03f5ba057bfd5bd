// TMain: the editor window over the clip store: the clip tree, the page
// control with the current clip's text, the menu bar (whose clip menu
// "一覧 (&V)" is also the hot-key pop-up), the pop-up menus of the tree, the
// tabs, the tool bars and the clip editor, and the status bar with hints.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "clipstore/clip_store.h"
#include "editor/clip_chooser.h"
#include "editor/clip_menu_win32.h"
#include "editor/clip_pages_win32.h"
#include "editor/clip_tree_win32.h"
#include "editor/data_menu_win32.h"
#include "editor/edit_bar_win32.h"
#include "editor/editor_layout.h"
#include "editor/editor_commands_win32.h"
#include "editor/editor_visibility.h"
#include "editor/status_bar_win32.h"
#include "editor/table_menu_win32.h"
#include "editor/separator_win32.h"
#include "editor/text_drop_target_win32.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

struct EditorServices {
  ClipChooser& chooser;  // takes a clip chosen in the clip menu
  std::function<void(int context)> openHelp;
  DataMenuServices dataMenu;
  // The commands that other parts of the program carry out.
  const EditorCommands& commands;
  std::string title;  // the caption: the program's name and version
  // True when a menu item's hint went to another window's status bar instead
  // (the static-variable editor's while it is shown, whose tool bar opens
  // this window's edit menu).
  std::function<bool(const std::string& statusText)> menuHintElsewhere;
};

class MainWindow : public Window,
                   private clipstore::ClipStoreObserver,
                   private options::SettingsObserver,
                   public TextDropTarget,
                   public EditorVisibility {
 public:
  MainWindow(clipstore::TClipBase& store, options::Settings& settings,
             const EditorServices& services)
      : store_(store),
        settings_(settings),
        chooser_(services.chooser),
        openHelp_(services.openHelp),
        commands_(services.commands),
        title_(services.title),
        menuHintElsewhere_(services.menuHintElsewhere),
        messages_(services.dataMenu.messages),
        dataMenu_(store_, services.dataMenu) {}
  ~MainWindow() override;
  bool Create();

  // Holds the views still during a burst of store changes (loading a
  // history file) and refreshes them once at the end, or, with kLater, when
  // RefreshViews is called (the start-up's, once the logo has gone).
  enum class Refresh { kAtEnd, kLater };
  class BatchUpdate {
   public:
    explicit BatchUpdate(MainWindow& window, Refresh refresh = Refresh::kAtEnd)
        : window_(window), refresh_(refresh) {
      window_.store_.SetObserver(nullptr);
      window_.structureDirty_ = true;  // the views' items are not to be trusted meanwhile
    }
    ~BatchUpdate() {
      window_.store_.SetObserver(&window_);
      window_.structureDirty_ = window_.pageDirty_ = true;
      if (refresh_ == Refresh::kAtEnd) window_.OnRefreshViews();
      else window_.ScheduleRefresh();
    }
    BatchUpdate(const BatchUpdate&) = delete;
    BatchUpdate& operator=(const BatchUpdate&) = delete;

   private:
    MainWindow& window_;
    Refresh refresh_;
  };
  // Brings the views up to date with the store now.
  void RefreshViews() { OnRefreshViews(); }

  // The page-change handler: the views follow the current page.
  void ShowCurrentPage() { OnPageChanged(); }
  // The client area that the tree and the pages share.
  int CenterPanelWidth() const;
  int CenterPanelHeight() const;
  // The centre panel within its border, where the first tree size is taken from.
  SIZE TreeSpace() const;

  void ShowEditor() override;
  void CloseEditor() override;
  bool EditorShown() const override { return IsVisible(); }
  // Shows the window off-screen as the owner of the pop-up; returns the left
  // position to give back with Unpark.
  int ParkOffScreen();
  void Unpark(int left);
  void TrackClipMenu(POINT at, bool asPopup);
  // The page-control menu (tab position, multi-line tabs) for another
  // window's tabs; the settings it changes reach every page control.
  void TrackPageCtrlMenu(HWND owner, POINT at);
  // The hint ("Menu...") of an item of that menu as WM_MENUSELECT reports it
  // to the other window, or null.
  const char* PageCtrlMenuHint(HMENU menu, UINT item, UINT flags) const;
  // Builds the clip menu as the hot key shows it, so that its first showing
  // costs no more than later ones.
  void PrepareClipMenu() { FillClipMenu(/*asPopup=*/true); }
  // Shows the window parked and hides it again, once, at start-up.
  void WarmUpParking();
  void SetDebugCaptions(const std::string& target, const std::string& foreground);
  // Esc closes the window, the pointer over a control shows its hint; true
  // when the message was consumed.
  bool PreTranslate(const MSG& msg);
  // Shows a control's hint in the status bar (after two spaces).
  void ShowHint(const std::string& text);
  // The tool bars' pop-up menu and the clip editor's edit menu, at a screen
  // point.
  void TrackToolBarMenu(POINT at);
  void TrackEditMenu(POINT at);

  // The rich edit that the editing commands act on: a registered override
  // (a dialog's own editor) when it has one, else the current page's, else
  // none.
  HWND CurrentEditor() const;
  // What a command run now acts on.
  EditorContext Context() const;

  // TextDropTarget: the current page's rich edit takes dropped text.
  bool AcceptsTextAt(POINT screen) const override;
  bool DropTextAt(POINT screen, const std::string& text) override;

  // Panel 1 of the status bar as another window gives it: a hint of the
  // static-variable window or the preview, two spaces already in front.
  void ShowOtherWindowHint(const std::string& statusText) { statusBar_.SetHint(statusText); }

  // The tool bars (a right click on one reaches WM_CONTEXTMENU with it).
  bool IsEditBar(HWND window) const { return window && (window == bar1_.hwnd() || window == bar2_.hwnd()); }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnSize();
  void LayOut();
  void OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnInitMenuPopup(HMENU menu);
  void FillClipMenu(bool asPopup);
  // The menus and the commands the window runs itself (main_window_menus_win32.cpp).
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  // WM_HELP: F1 on a highlighted menu item opens that item's help, anywhere
  // else in the window the editor's.
  void OnHelp(const HELPINFO& info);
  void OnContextMenu(HWND from, LPARAM position);
  // What the menus' rules look at now.
  editor::MenuFacts Facts() const;
  // Whether a menu item's command can run: registered, or carried out here.
  bool Available(int id) const;
  // The commands the window carries out itself; false for any other id.
  bool RunOwnCommand(int id, LPARAM from);
  bool RunEditCommand(int id);
  bool RunSettingCommand(int id);
  void PopEditMenuUnder(int buttonId, HWND toolBar);
  // The tool bars, the separators, the page steps, the painting between the
  // panels and the tree's drag (main_window_bars_win32.cpp).
  void OnPaint();
  void CreateBars();
  void ApplyBarsDpi(int dpi);
  EditBar& BarInUse() { return settings_.Beginner() ? bar2_ : bar1_; }
  // Shows the bar in use when there is a clip, hides the other one and
  // enables their buttons; true when what is shown changed.
  bool RefreshToolBar();
  bool HandlesCommand(int id) const;
  int StatusBarHeight() const;
  void StepPage(int step);
  void OnVertSepMoved(int d);
  void OnHrzSepMoved(int d);
  void OnBarHint(const std::string& hint);
  void OnTreeDragBegin(const NMTREEVIEWA& info);
  bool OnTreeDragMouse(UINT msg, LPARAM lParam);
  void OnTreeDrop(clipstore::TreeNode* dragged, clipstore::TreeNode* target);
  clipstore::TreeNode* SelectedNode() const;
  void OnRefreshViews();
  void OnMenuCommand(UINT id, bool asPopup);
  void OnClipChosen(clipstore::Clip& clip, bool asPopup);

  // ClipStoreObserver: views are refreshed once per burst of changes.
  void OnStructureChanged() override;
  void OnCaptionsChanged() override;
  void OnPageChanged() override;
  void ScheduleRefresh();
  void OnSettingChanged(options::Setting which) override;
  void ApplyEditorFont();
  // Brings the tabs, the layout and the editor's text up to date when the
  // window is seen: a full store's hundreds of tabs cost a quarter of a
  // second to build under some hosts, too much for every start and every
  // change while hidden.
  void CatchUpViews();
  // The status bar's note and the title for a page that shows its clip in
  // part; a click on the note adds the rest a piece per message.
  void ShowPageNote();
  std::string PageNote() const;
  // Typing changed the shown clip's page (the clip at page).
  void EditShownClip(int page);
  void OnAddPagePiece(std::uint64_t clip);

  clipstore::TClipBase& store_;
  options::Settings& settings_;
  ClipChooser& chooser_;
  std::function<void(int context)> openHelp_;
  const EditorCommands& commands_;
  std::string title_;
  std::function<bool(const std::string& statusText)> menuHintElsewhere_;
  int highlightedHelp_ = 0;  // the help context of the menu item highlighted now, 0 for none
  MessageBoxes& messages_;
  ClipTree tree_;
  ClipPages pages_;
  DataMenu dataMenu_;
  StatusBar statusBar_;
  HMENU historyMenu_ = nullptr;
  MenuHandle historyMenuOwner_;  // outlives the menus that hold it
  ClipMenu clipMenu_;            // gives its slot menus back to historyMenu_ first
  TableMenu mainMenu_, treeMenu_, pageCtrlMenu_, toolBarMenu_, editMenu_;
  ImageListHandle toolImages_;
  EditBar bar1_{EditBar::kNormal, [this](const std::string& hint) { OnBarHint(hint); }};
  EditBar bar2_{EditBar::kBeginner, [this](const std::string& hint) { OnBarHint(hint); }};
  Separator vertSep_{true, [this](int d) { OnVertSepMoved(d); }};
  Separator hrzSep_{false, [this](int d) { OnHrzSepMoved(d); }};
  editor::EditorLayout layout_;  // as last laid out
  int laidOutStyle_ = -1;        // VertWindow of that layout, -1 before the first
  bool styleApplied_ = false;    // the next layout applies the style (may store the tree's size)
  bool structureDirty_ = false;
  bool captionsDirty_ = false;
  bool pageDirty_ = false;
  bool refreshPosted_ = false;
  bool tabsStale_ = true;  // the tabs do not stand for the store's pages yet
  bool pageStale_ = true;  // the current page's tab and text are not shown yet
  bool layoutStale_ = true;  // the child windows are not laid out in the client area
  bool parked_ = false;    // shown off-screen as the owner of the pop-up
  bool keepShown_ = false;  // shown on purpose while parked
  bool tracking_ = false;   // TrackClipMenu's menu is open
};

}  // namespace ambrel::win32
