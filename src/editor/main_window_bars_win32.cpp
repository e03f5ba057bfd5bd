// The editor window's tool bars, separators and tree drag: the parts of
// MainWindow that follow the clip store's pages and the user's dragging.
#include <windowsx.h>

#include <utility>

#include "editor/edit_bar_state.h"
#include "editor/editor_images_win32.h"
#include "editor/main_window_win32.h"
#include "platform/dpi_win32.h"
#include "platform/message_box.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kBar1Id = 20;
constexpr int kBar2Id = 21;
constexpr const char* kMenuLimitText =
    "動的データは登録規定数に達しています。\r\n\r\n既存データを一つ削除するか、または登録数を増やして下さい。";

}  // namespace

void MainWindow::CreateBars() {
  bar1_.Create(hwnd(), kBar1Id);
  bar2_.Create(hwnd(), kBar2Id);
  vertSep_.Create(hwnd());
  hrzSep_.Create(hwnd());
  ApplyBarsDpi(DpiForWindow(hwnd()));
  for (EditBar* bar : {&bar1_, &bar2_}) {
    bar->SetPopupHint(settings_.PopupHint());
    bar->SetWrap(settings_.MultiLineBar());
  }
  pages_.SetToolBarPlacer([this](const RECT& page) { return BarInUse().Place(page); });
}

void MainWindow::ApplyBarsDpi(int dpi) {
  // The bars take the new images before the old ones are deleted.
  ImageListHandle images = LoadToolImages(ScaleForDpi(kToolImageSize, dpi));
  bar1_.ApplyDpi(dpi, images.get());
  bar2_.ApplyDpi(dpi, images.get());
  toolImages_ = std::move(images);
}

bool MainWindow::HandlesCommand(int id) const {
  return id == editor::kCmdPrevClip || id == editor::kCmdNextClip || Available(id);
}

bool MainWindow::RefreshToolBar() {
  EditBar& used = BarInUse();
  EditBar& other = &used == &bar1_ ? bar2_ : bar1_;
  const int current = store_.CurrentPage();
  const bool show = current >= 0;
  const bool changed = used.Shown() != show || other.Shown();
  other.Show(false);
  used.Show(show);
  const editor::EditBarState state{store_.PageCount(), show && store_.Page(current).slot.IsStatic(),
                                   store_.FreeSlot() >= 0};
  const auto enabled = [&](int id) { return editor::EditButtonEnabled(id, HandlesCommand(id), state); };
  bar1_.EnableButtons(enabled);
  bar2_.EnableButtons(enabled);
  return changed;
}

// The one place where the status bar's height leaves the centre panel.
int MainWindow::StatusBarHeight() const { return statusBar_.Height(); }

// A tool button's hint goes to the status bar's hint line.
void MainWindow::OnBarHint(const std::string& hint) { ShowHint(hint); }

void MainWindow::StepPage(int step) {
  const int page = editor::NeighbourPage(store_.CurrentPage(), store_.PageCount(), step);
  if (page >= 0 && page != store_.CurrentPage()) store_.SetCurrentPage(page);
}

void MainWindow::OnPaint() {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd(), &ps);
  // The centre panel's lowered bevel around its border.
  RECT panel{layout_.centerPanel.left, layout_.centerPanel.top, layout_.centerPanel.right,
             layout_.centerPanel.bottom};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT);
  EndPaint(hwnd(), &ps);
}

void MainWindow::OnVertSepMoved(int d) {
  const int tree = layout_.tree.Width();
  const int width = editor::DraggedTreeExtent(tree, layout_.pages.Width(), d, 0);
  settings_.SetTreeW(width);
  if (width != tree) LayOut();
}

void MainWindow::OnHrzSepMoved(int d) {
  const int tree = layout_.tree.Height();
  const int rest = pages_.PageHeight() > 0 ? pages_.PageHeight() : layout_.pages.Height();
  const int height = editor::DraggedTreeExtent(tree, rest, d, bar1_.RowHeight());
  settings_.SetTreeH(height);
  if (height != tree) LayOut();
}

void MainWindow::OnTreeDragBegin(const NMTREEVIEWA& info) {
  if (tree_.BeginDrag(info)) SetCapture(hwnd());
}

bool MainWindow::OnTreeDragMouse(UINT msg, LPARAM lParam) {
  if (!tree_.Dragging()) return false;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd(), &at);
  if (msg == WM_MOUSEMOVE) {
    tree_.DragTo(at);
  } else if (msg == WM_LBUTTONUP) {
    clipstore::TreeNode* dragged = tree_.DraggedNode();
    clipstore::TreeNode* target = tree_.Drop(at);
    ReleaseCapture();
    OnTreeDrop(dragged, target);
  } else {
    tree_.CancelDrag();  // the capture went elsewhere
  }
  return true;
}

void MainWindow::OnTreeDrop(clipstore::TreeNode* dragged, clipstore::TreeNode* target) {
  if (!dragged || !target || target == dragged) return;
  if (!store_.MoveClip(dragged, target)) messages_.ErrorBox(kMenuLimitText, kHelpMenuLimit);
}

}  // namespace ambrel::win32
