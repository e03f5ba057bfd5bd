#include "editor/main_window_win32.h"

#include <commctrl.h>
#include <windowsx.h>
#include <richedit.h>

#include <vector>

#include "clipstore/menu_state.h"
#include "editor/menu_rules.h"
#include "editor/page_text.h"
#include "platform/dialog_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/help_win32.h"
#include "platform/message_box.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/window_text_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kTreeId = 10;
constexpr int kTabsId = 11;
constexpr int kEditId = 12;
constexpr int kStatusId = 13;
constexpr UINT kRefreshViews = WM_APP + 1;
constexpr UINT kAddPagePiece = WM_APP + 2;
// Sizes at 96 DPI.
constexpr int kDesignedWidth = 640;
constexpr int kDesignedHeight = 480;
constexpr int kSmallestPanel = 120;

clipstore::GuidanceSettings GuidanceFrom(const options::Settings& s) {
  return {s.MenuMenu(), s.OptionMenu(), s.HelpMenu(), s.DebugMode()};
}

// The mouse-over hint of the tree.
constexpr const char* kTreeHint = "編集するクリップデータを選択します";

editor::LayoutMetrics MetricsFor(HWND window) {
  const int dpi = DpiForWindow(window);
  const editor::LayoutMetrics designed;
  return {ScaleForDpi(designed.border, dpi), ScaleForDpi(designed.vertSeparator, dpi),
          ScaleForDpi(designed.hrzSeparator, dpi)};
}

}  // namespace

MainWindow::~MainWindow() {
  // The menus are the window's members' and go with them, not with it.
  if (hwnd()) SetMenu(hwnd(), nullptr);
  store_.SetObserver(nullptr);
  settings_.RemoveObserver(this);
}

int MainWindow::CenterPanelWidth() const {
  RECT rc{};
  GetClientRect(hwnd(), &rc);
  return rc.right - rc.left;
}

int MainWindow::CenterPanelHeight() const {
  RECT rc{};
  GetClientRect(hwnd(), &rc);
  return rc.bottom - rc.top - StatusBarHeight();
}

SIZE MainWindow::TreeSpace() const {
  RECT rc{};
  GetClientRect(hwnd(), &rc);
  const editor::Box client{0, 0, rc.right, rc.bottom};
  const editor::Box inside = editor::ComputeEditorLayout(client, StatusBarHeight(), true, 0, MetricsFor(hwnd())).inside;
  return SIZE{inside.Width(), inside.Height()};
}

void MainWindow::OnSettingChanged(options::Setting which) {
  switch (which) {
    case options::Setting::kWordWrap: pages_.SetWordWrap(settings_.GetWordWrap()); break;
    case options::Setting::kEditorFont: ApplyEditorFont(); break;
    case options::Setting::kTreeButtons: tree_.SetButtons(settings_.TreeBtn()); break;
    case options::Setting::kUpperTab:
    case options::Setting::kMultiLine:
      pages_.SetTabStyle(settings_.UpperTab(), settings_.MultiLine());
      OnSize();
      break;
    case options::Setting::kVertWindow:
      styleApplied_ = true;
      OnSize();
      break;
    case options::Setting::kBeginner:
      RefreshToolBar();
      OnSize();
      break;
    case options::Setting::kPopupHint:
      bar1_.SetPopupHint(settings_.PopupHint());
      bar2_.SetPopupHint(settings_.PopupHint());
      break;
    case options::Setting::kMultiLineBar:
      bar1_.SetWrap(settings_.MultiLineBar());
      bar2_.SetWrap(settings_.MultiLineBar());
      OnSize();
      break;
    default: break;
  }
}

void MainWindow::ApplyEditorFont() {
  const options::EditorFont& f = settings_.GetEditorFont();
  pages_.SetEditFont(f.name, f.height, static_cast<COLORREF>(f.color), f.style);
}

bool MainWindow::Create() {
  const int dpi = DpiForWindow(nullptr);
  const int width = ScaleForDpi(kDesignedWidth, dpi), height = ScaleForDpi(kDesignedHeight, dpi);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  historyMenuOwner_.reset(CreatePopupMenu());
  historyMenu_ = historyMenuOwner_.get();
  mainMenu_.Build(editor::MainMenuTable(), /*asBar=*/true, historyMenu_);
  treeMenu_.Build(editor::TreeMenuTable(), false);
  SetMenuContextHelpId(treeMenu_.Root(), kHelpEditor);
  pageCtrlMenu_.Build(editor::PageCtrlMenuTable(), false);
  toolBarMenu_.Build(editor::ToolBarMenuTable(), false);
  editMenu_.Build(editor::EditMenuTable(), false);
  SetMenuContextHelpId(editMenu_.Root(), kHelpEditMenu);
  return CreateWin("TMain", title_.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, x, y, width, height,
                   nullptr, mainMenu_.Root());
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(); return 0;
    case WM_DPICHANGED: OnDpiChanged(wParam, lParam); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return 0;
    case WM_HELP:
      if (!lParam) return Default(msg, wParam, lParam);
      OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
      return TRUE;
    case WM_CONTEXTMENU: OnContextMenu(reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (OnTreeDragMouse(msg, lParam)) return 0;
      return Default(msg, wParam, lParam);
    case kRefreshViews: OnRefreshViews(); return 0;
    case kAddPagePiece: OnAddPagePiece(static_cast<std::uint64_t>(wParam)); return 0;
    case WM_CLOSE: CloseEditor(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void MainWindow::OnCreate() {
  tree_.Create(hwnd(), kTreeId);
  pages_.Create(hwnd(), kTabsId, kEditId);
  statusBar_.Create(hwnd(), kStatusId);
  CreateBars();
  store_.SetObserver(this);
  settings_.AddObserver(this);
  store_.DefineDefaultSlots();
  OnRefreshViews();
}

void MainWindow::OnSize() {
  statusBar_.Resize(DpiForWindow(hwnd()));
  // Laid out when seen: a window first shown is sized then, and sizing a
  // full tree costs tens of milliseconds under some hosts, which the pop-up
  // (the window parked off-screen as its owner) has no use for.
  if (IsVisible() && !parked_) LayOut();
  else layoutStale_ = true;
}

void MainWindow::LayOut() {
  layoutStale_ = false;
  RECT rc{};
  GetClientRect(hwnd(), &rc);
  // Minimised or absurdly small: keep the stored splitter positions.
  const int smallest = ScaleForWindow(hwnd(), kSmallestPanel);
  if (IsIconic(hwnd()) || rc.right < smallest || rc.bottom < smallest) return;
  const editor::LayoutMetrics metrics = MetricsFor(hwnd());
  const editor::Box client{0, 0, rc.right, rc.bottom};
  const bool vertical = settings_.VertWindow() != 0;
  const int statusBar = StatusBarHeight();
  const editor::Box panel = editor::ComputeEditorLayout(client, statusBar, vertical, 0, metrics).centerPanel;
  const bool wasVertical = laidOutStyle_ < 0 ? vertical : laidOutStyle_ != 0;
  const editor::Relayout why = styleApplied_ ? editor::Relayout::kStyleApplied : editor::Relayout::kResize;
  styleApplied_ = false;
  const int extent = editor::TreeExtentForStyle(settings_, vertical, wasVertical, why, layout_.tree, panel);
  laidOutStyle_ = vertical ? 1 : 0;
  layout_ = editor::ComputeEditorLayout(client, statusBar, vertical, extent, metrics);
  const auto move = [](HWND w, const editor::Box& b) { MoveWindow(w, b.left, b.top, b.Width(), b.Height(), TRUE); };
  move(tree_.hwnd(), layout_.tree);
  Separator& shown = vertical ? vertSep_ : hrzSep_;
  move(shown.hwnd(), layout_.separator);
  ShowWindow(shown.hwnd(), SW_SHOWNA);
  ShowWindow((vertical ? hrzSep_ : vertSep_).hwnd(), SW_HIDE);
  pages_.Layout(RECT{layout_.pages.left, layout_.pages.top, layout_.pages.right, layout_.pages.bottom});
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const int dpi = ApplyDpiChange(hwnd(), wParam, lParam);
  tree_.ApplyDpi(dpi);
  pages_.ApplyDpi(dpi);
  ApplyBarsDpi(dpi);
  OnSize();
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (bar1_.OnNotify(header) || bar2_.OnNotify(header)) return 0;
  if (statusBar_.IsPageNoteClick(header)) {
    // The rest of a long clip, piece by piece with the window answering in
    // between.
    PostMessageA(hwnd(), kAddPagePiece, static_cast<WPARAM>(pages_.ShownClip()), 0);
    return 0;
  }
  // Until the views are rebuilt their items may stand for deleted clips.
  if (structureDirty_) return 0;
  if (header.idFrom == kTreeId && header.code == TVN_SELCHANGEDA) {
    const auto& info = reinterpret_cast<const NMTREEVIEWA&>(header);
    clipstore::TreeNode* node = ClipTree::NodeOf(info);
    if (node && node->clip && node->clip->pageIndex != store_.CurrentPage())
      store_.SetCurrentPage(node->clip->pageIndex);
  } else if (header.idFrom == kTreeId && header.code == TVN_BEGINDRAGA) {
    OnTreeDragBegin(reinterpret_cast<const NMTREEVIEWA&>(header));
  } else if (header.idFrom == kTabsId && header.code == TCN_SELCHANGE) {
    store_.SetCurrentPage(pages_.SelectedTab());
  }
  return 0;
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) {
    // The clip the editor shows: a copy may have made another page current
    // before the views caught up.
    const int page = store_.PageOfClip(pages_.ShownClip());
    if (pages_.IsUserEdit() && page >= 0) EditShownClip(page);
    return;
  }
  // Menu items and tool buttons (whose lParam is the tool bar) alike.
  const int id = LOWORD(wParam);
  if (id == editor::kCmdPrevClip || id == editor::kCmdNextClip) {
    StepPage(id == editor::kCmdNextClip ? 1 : -1);
    return;
  }
  if (commands_.Run(id, Context()) || RunOwnCommand(id, lParam)) return;
  if (lParam == 0) OnMenuCommand(id, /*asPopup=*/false);
}

clipstore::TreeNode* MainWindow::SelectedNode() const {
  return structureDirty_ ? nullptr : tree_.SelectedNode();
}

void MainWindow::OnInitMenuPopup(HMENU menu) {
  const editor::MenuFacts facts = Facts();
  for (TableMenu* m : {&mainMenu_, &treeMenu_, &pageCtrlMenu_, &toolBarMenu_, &editMenu_})
    if (m->Refresh(menu, facts, [this](int c) { return Available(c); })) return;
  // TrackClipMenu has set the states for its own use already.
  if (menu != historyMenu_ || tracking_) return;
  FillClipMenu(/*asPopup=*/false);
}

void MainWindow::FillClipMenu(bool asPopup) {
  clipstore::UpdateMenuState(store_, GuidanceFrom(settings_), asPopup);
  clipMenu_.Fill(historyMenu_, store_.Layout().History());
}

void MainWindow::TrackClipMenu(POINT at, bool asPopup) {
  FillClipMenu(asPopup);
  tracking_ = true;
  const UINT id = static_cast<UINT>(
      TrackPopupMenu(historyMenu_, TPM_LEFTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, hwnd(), nullptr));
  tracking_ = false;
  PostMessageA(hwnd(), WM_NULL, 0, 0);
  if (id) OnMenuCommand(id, asPopup);
}

void MainWindow::OnMenuCommand(UINT id, bool asPopup) {
  clipstore::MenuItem* item = clipMenu_.ItemOf(id);
  if (!item) return;
  if (item->clip) {
    OnClipChosen(*item->clip, asPopup);
  } else if (item->name == "MMPropMenu" && commands_.Run(editor::kCmdProperties, Context())) {
  } else if (item->name == "MMMenuMenu" || item->name == "MMPropMenu") {
    ShowEditor();
  } else if (item->name == "MMHelpMenu") {
    openHelp_(kHelpClipMenu);
  }
}

void MainWindow::OnClipChosen(clipstore::Clip& clip, bool asPopup) {
  chooser_.ChooseClip(clip.pageIndex, asPopup, ChoiceView{[this](int page) {
                                                            store_.SetCurrentPage(page);
                                                            SetFocus(pages_.editor());
                                                          },
                                                          [this] { ShowEditor(); }});
}

void MainWindow::SetDebugCaptions(const std::string& target, const std::string& foreground) {
  store_.Layout().Find("MMTarget")->caption = target;
  store_.Layout().Find("MMFore")->caption = foreground;
}

void MainWindow::ShowEditor() {
  // Asked for while parked as the pop-up's owner (a clip chosen for editing):
  // the window stays up when the pop-up gives back its position.
  if (parked_) keepShown_ = true;
  OnRefreshViews();
  // Brought up to date before the window appears, so that it never shows
  // stale tabs.
  if (!parked_) CatchUpViews();
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void MainWindow::CatchUpViews() {
  if (RefreshToolBar()) layoutStale_ = true;
  if (tabsStale_) {
    tabsStale_ = false;
    pageStale_ = layoutStale_ = true;  // several rows of tabs take room from the editor
    pages_.Rebuild(store_);
  }
  if (layoutStale_) LayOut();
  if (!pageStale_) return;
  pageStale_ = false;
  pages_.ShowPage(store_);
  ShowPageNote();
}

void MainWindow::EditShownClip(int page) {
  if (!store_.Page(page).original.empty()) {
    // Typing goes on once the user lets the original go; otherwise the page
    // shows the clip as it was.
    const MsgResult answer =
        messages_.ShowMsgDlg(editor::kDropOriginalQuestion, MsgType::kConfirmation, kBtnYes | kBtnNo, 0);
    // The clip may have gone, or moved to another page, while the box was up.
    if (store_.PageOfClip(pages_.ShownClip()) != page) return;
    if (answer != MsgResult::kYes) {
      pages_.ShowPage(store_);
      return;
    }
  }
  store_.SetClipText(page, WindowText(pages_.editor()));
  ShowPageNote();
}

std::string MainWindow::PageNote() const {
  const int page = store_.PageOfClip(pages_.ShownClip());
  return editor::PageNote(pages_.PartNote(store_), page >= 0 && !store_.Page(page).original.empty());
}

void MainWindow::ShowPageNote() {
  statusBar_.SetPageNote(PageNote());
  SetWindowTextA(hwnd(), (pages_.ShowsAll(store_) ? title_ : title_ + " - 一部のみ表示 (読み取り専用)").c_str());
}

void MainWindow::OnAddPagePiece(std::uint64_t clip) {
  // Pieces of a clip that is no longer shown are not added.
  if (clip != pages_.ShownClip() || pageStale_) return;
  if (!pages_.AddPiece(store_)) {
    ShowPageNote();
    return;
  }
  statusBar_.SetPageNote(PageNote());
  PostMessageA(hwnd(), kAddPagePiece, static_cast<WPARAM>(clip), 0);
}

// The first time this window is shown and activated as the pop-up's owner
// costs Wine several milliseconds more than later times; paid here once, off
// the screen, the first hot key is as quick as the next. The foreground goes
// back to where it was.
void MainWindow::WarmUpParking() {
  const HWND foreground = GetForegroundWindow();
  Unpark(ParkOffScreen());
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
}

void MainWindow::CloseEditor() {
  ShowWindow(hwnd(), SW_HIDE);
  if (commands_.editorHidden) commands_.editorHidden();
}

HWND MainWindow::CurrentEditor() const {
  if (commands_.editorOverride)
    if (HWND own = commands_.editorOverride()) return own;
  return store_.CurrentPage() >= 0 ? pages_.editor() : nullptr;
}

EditorContext MainWindow::Context() const {
  return {hwnd(), CurrentEditor(), store_.CurrentPage(), SelectedNode()};
}

bool MainWindow::AcceptsTextAt(POINT screen) const {
  HWND edit = store_.CurrentPage() >= 0 ? pages_.editor() : nullptr;
  return edit && IsWindowVisible(edit) && WindowFromPoint(screen) == edit;
}

bool MainWindow::DropTextAt(POINT screen, const std::string& text) {
  if (!AcceptsTextAt(screen)) return false;
  HWND edit = pages_.editor();
  SetFocus(edit);
  POINT client = screen;
  ScreenToClient(edit, &client);
  POINTL at{client.x, client.y};
  // The rich edit's form of EM_CHARFROMPOS takes the point by address.
  const LRESULT position = SendMessageA(edit, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at));
  SendMessageA(edit, EM_SETSEL, position, position);
  ReplaceRichEditSelection(edit, text);
  // The inserted text stays selected; the caret after it tells its end in
  // characters, which the byte count does not.
  CHARRANGE inserted{};
  SendMessageA(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&inserted));
  SendMessageA(edit, EM_SETSEL, position, inserted.cpMax);
  return true;
}

int MainWindow::ParkOffScreen() {
  RECT rc{};
  GetWindowRect(hwnd(), &rc);
  const Point parked = ParkingPlace();
  parked_ = true;
  SetWindowPos(hwnd(), nullptr, parked.x, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd());
  return rc.left;
}

void MainWindow::Unpark(int left) {
  parked_ = false;
  RECT rc{};
  GetWindowRect(hwnd(), &rc);
  UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (keepShown_) CatchUpViews();
  else flags |= SWP_HIDEWINDOW;
  SetWindowPos(hwnd(), nullptr, left, rc.top, 0, 0, flags);
  if (!keepShown_ && commands_.editorHidden) commands_.editorHidden();
  keepShown_ = false;
}

bool MainWindow::PreTranslate(const MSG& msg) {
  if (msg.message == WM_MOUSEMOVE && hwnd()) {
    if (msg.hwnd == tree_.hwnd()) ShowHint(kTreeHint);
    else if (msg.hwnd == pages_.editor()) ShowHint(editor::kClipEditorHint);
    else if (msg.hwnd == hwnd() || msg.hwnd == pages_.tabs()) ShowHint("");
    else if (msg.hwnd == bar1_.hwnd() || msg.hwnd == bar2_.hwnd())
      (msg.hwnd == bar1_.hwnd() ? bar1_ : bar2_).OnMouseMove(POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
    return false;
  }
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_ESCAPE && msg.wParam != VK_F1)) return false;
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  // F1 in the tree, the text or the tabs: the editor's help.
  if (msg.wParam == VK_F1) openHelp_(kHelpEditor);
  else CloseEditor();
  return true;
}

void MainWindow::OnStructureChanged() {
  structureDirty_ = true;
  ScheduleRefresh();
}

void MainWindow::OnCaptionsChanged() {
  captionsDirty_ = true;
  ScheduleRefresh();
}

void MainWindow::OnPageChanged() {
  pageDirty_ = true;
  ScheduleRefresh();
}

void MainWindow::ScheduleRefresh() {
  if (refreshPosted_ || !hwnd()) return;
  refreshPosted_ = PostMessageA(hwnd(), kRefreshViews, 0, 0) != 0;
}

void MainWindow::OnRefreshViews() {
  refreshPosted_ = false;
  if (structureDirty_) {
    tree_.Rebuild(store_);
    tabsStale_ = true;
    pageDirty_ = true;
  } else if (captionsDirty_) {
    tree_.RefreshTexts();  // same nodes, new texts
  }
  if (pageDirty_) {
    pageStale_ = true;
    const int current = store_.CurrentPage();
    tree_.Select(current >= 0 ? store_.Page(current).node : nullptr);
  }
  structureDirty_ = captionsDirty_ = pageDirty_ = false;
  if (IsVisible() && !parked_) CatchUpViews();
}

}  // namespace ambrel::win32
