#include "usermenu/reg_list_window_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>
#include <vector>

#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/dialog_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/fault_barrier_win32.h"
#include "platform/list_view_win32.h"
#include "platform/text_printer_win32.h"
#include "usermenu/post_dialog_win32.h"
#include "usermenu/reg_list_model.h"

namespace ambrel::win32 {
namespace {

constexpr int kTabsId = 10;
constexpr int kRegListId = 11;
constexpr int kTitleListId = 12;
enum PopupCommand : int { kLPGridLine = 201, kLPPrint };
constexpr const char* kPageCaptions[2] = {"正規表現", "タイトル"};
constexpr const char* kRegListHint = "正規表現の一覧です";
constexpr const char* kTitleListHint = "現在使用されているメニュータイトルの一覧です";

// The pop-up menu's items; a hint's text after "Menu" goes to the status bar.
struct PopupItem {
  PopupCommand id;
  const char* caption;
  const char* hint;
};
constexpr PopupItem kPopupItems[] = {
    {kLPGridLine, "ｸﾞﾘｯﾄﾞﾗｲﾝの表示 (&G)", "Menuグリッドラインを表示します"},
    {kLPPrint, "印刷 (&P)", "Menuリストを一覧印刷します"},
};
constexpr std::size_t kMenuHintPrefix = 4;  // "Menu"
// Sizes at 96 DPI.
constexpr int kWidth = 250, kHeight = 318;
constexpr int kExpressionWidth = 60, kDescriptionWidth = 185, kTitleWidth = 220;

}  // namespace

RegListWindow::RegListWindow(clipstore::TClipBase& store, options::Settings& settings, PageTabMenu pageTabMenu)
    : store_(store), settings_(settings), pageTabMenu_(std::move(pageTabMenu)) {
  settings_.AddObserver(this);
}

RegListWindow::~RegListWindow() { settings_.RemoveObserver(this); }

bool RegListWindow::Create(PostDialog* dialog) {
  dialog_ = dialog;
  const Point parked = ParkingPlace();
  return CreateWin("TRegList", "正規表現リスト", WS_POPUP | WS_CAPTION | WS_THICKFRAME,
                   WS_EX_TOOLWINDOW, parked.x, parked.y, ScaleForDpi(kWidth, DpiForWindow(nullptr)),
                   ScaleForDpi(kHeight, DpiForWindow(nullptr)), nullptr, nullptr);
}

void RegListWindow::OnCreate() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                          hwnd(), reinterpret_cast<HMENU>(kTabsId), instance, nullptr);
  for (int page = 0; page < 2; ++page) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[page]);
    SendMessageA(tabs_, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
  }
  regList_ = MakeReportList(hwnd(), kRegListId, 0);
  AddListColumn(regList_, 0, " 表現", kExpressionWidth);
  AddListColumn(regList_, 1, "                内容", kDescriptionWidth);
  int row = 0;
  for (const usermenu::RegListRow& r : usermenu::ExpressionRows())
    AddListRow(regList_, row++, {r.expression, r.description});
  titleList_ = MakeReportList(hwnd(), kTitleListId, LVS_NOCOLUMNHEADER);
  AddListColumn(titleList_, 0, "", kTitleWidth);
  // The lists send no hover notification as created, so the hint follows
  // the mouse moving over them.
  for (HWND list : {regList_, titleList_})
    SetWindowSubclass(list, &Guarded<&RegListWindow::ListProc>, 1, reinterpret_cast<DWORD_PTR>(this));
  ApplyDpi(DpiForWindow(hwnd()));

  popup_.reset(CreatePopupMenu());
  for (const PopupItem& item : kPopupItems) AppendMenuA(popup_.get(), MF_STRING, item.id, item.caption);
  ApplyGridLines();
  ApplyTabStyle();
  ShowPage(0);
}

void RegListWindow::OnSettingChanged(options::Setting which) {
  if (!regList_) return;
  if (which == options::Setting::kGridLine) {
    ApplyGridLines();
  } else if (which == options::Setting::kUpperTab || which == options::Setting::kMultiLine) {
    ApplyTabStyle();
    OnSize();
  }
}

LRESULT CALLBACK RegListWindow::ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
  auto* self = reinterpret_cast<RegListWindow*>(data);
  if (msg == WM_MOUSEMOVE && self->dialog_)
    self->dialog_->ShowHint(list == self->regList_ ? kRegListHint : kTitleListHint);
  return DefSubclassProc(list, msg, wParam, lParam);
}

void RegListWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (!dialog_ || !menu || (flags & MF_POPUP)) return;
  if (menu != popup_.get()) {
    const char* hint = pageTabMenu_.hintOf ? pageTabMenu_.hintOf(menu, item, flags) : nullptr;
    if (hint) dialog_->ShowHint(hint + kMenuHintPrefix);
    return;
  }
  for (const PopupItem& p : kPopupItems)
    if (p.id == static_cast<int>(item)) dialog_->ShowHint(p.hint + kMenuHintPrefix);
}

LRESULT RegListWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(); return 0;
    case WM_DPICHANGED: ApplyDpi(ApplyDpiChange(hwnd(), wParam, lParam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU: OnContextMenu(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return 0;
    case WM_MOUSEMOVE:
      if (dragging_) MoveDragImage();
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) EndDrag(true, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED:
      if (dragging_) EndDrag(false, POINT{});
      return 0;
    case WM_CLOSE: Close(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void RegListWindow::OnSize() {
  const RECT inner = LayOutTabs(tabs_);
  for (HWND list : {regList_, titleList_}) FillTabPage(list, inner);
}

void RegListWindow::ApplyDpi(int dpi) {
  // The controls take the new font before the old one is deleted.
  GdiObject font = CreateUiFont(dpi);
  for (HWND control : {tabs_, regList_, titleList_})
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);
  SendMessageA(regList_, LVM_SETCOLUMNWIDTH, 0, ScaleForDpi(kExpressionWidth, dpi));
  SendMessageA(regList_, LVM_SETCOLUMNWIDTH, 1, ScaleForDpi(kDescriptionWidth, dpi));
  SendMessageA(titleList_, LVM_SETCOLUMNWIDTH, 0, ScaleForDpi(kTitleWidth, dpi));
  OnSize();
}

void RegListWindow::ShowPage(int page) {
  TabCtrl_SetCurSel(tabs_, page);
  ShowWindow(regList_, page == 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(titleList_, page == 1 ? SW_SHOW : SW_HIDE);
}

HWND RegListWindow::ActiveList() const { return TabCtrl_GetCurSel(tabs_) == 1 ? titleList_ : regList_; }

void RegListWindow::ShowBeside(HWND dialog) {
  SendMessageA(titleList_, LVM_DELETEALLITEMS, 0, 0);
  int row = 0;
  for (const std::string& title : usermenu::MenuTitles(store_)) AddListRow(titleList_, row++, {title});
  ShowPage(0);

  PlaceBeside(hwnd(), dialog, SWP_NOACTIVATE);
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void RegListWindow::Close() {
  ShowWindow(hwnd(), SW_HIDE);
  ParkWindow(hwnd());
}

void RegListWindow::ApplyGridLines() {
  const DWORD grid = settings_.GridLine() ? LVS_EX_GRIDLINES : 0;
  for (HWND list : {regList_, titleList_}) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, grid);
    InvalidateRect(list, nullptr, TRUE);
  }
}

void RegListWindow::ApplyTabStyle() {
  SetTabPlacement(tabs_, settings_.UpperTab(), settings_.MultiLine());
}

LRESULT RegListWindow::OnNotify(const NMHDR& header) {
  if (header.idFrom == kTabsId && header.code == TCN_SELCHANGE) {
    ShowPage(TabCtrl_GetCurSel(tabs_));
  } else if ((header.idFrom == kRegListId || header.idFrom == kTitleListId) &&
             header.code == LVN_BEGINDRAG) {
    const auto& info = reinterpret_cast<const NMLISTVIEW&>(header);
    dragCaption_ = ListItemText(header.hwndFrom, info.iItem, 0);
    dragging_ = true;
    SetCapture(hwnd());
    BeginDragImage(header.hwndFrom, info.iItem, info.ptAction);
  } else if (header.code == LVN_KEYDOWN &&
             reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_ESCAPE && dialog_) {
    SetForegroundWindow(dialog_->hwnd());
  }
  return 0;
}

// The row's picture follows the pointer over every window (it goes to the
// dialog beside this one), held where the row was taken.
void RegListWindow::BeginDragImage(HWND list, int row, POINT at) {
  POINT corner{};
  dragImage_.reset(ListView_CreateDragImage(list, row, &corner));
  if (!dragImage_) return;
  ImageList_BeginDrag(dragImage_.get(), 0, at.x - corner.x, at.y - corner.y);
  ClientToScreen(list, &at);
  ImageList_DragEnter(nullptr, at.x, at.y);
}

void RegListWindow::MoveDragImage() {
  POINT at{};
  GetCursorPos(&at);
  if (dragImage_) ImageList_DragMove(at.x, at.y);
}

// The drop point is where the button came up (client coordinates of this
// window, which has the capture), not where the pointer is by the time the
// message is handled.
void RegListWindow::EndDrag(bool drop, POINT at) {
  dragging_ = false;
  if (dragImage_) {
    ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
    dragImage_.reset();
  }
  if (GetCapture() == hwnd()) ReleaseCapture();
  if (!drop || !dialog_) return;
  ClientToScreen(hwnd(), &at);
  dialog_->AcceptDrop(at, dragCaption_);
}

void RegListWindow::OnContextMenu(HWND from) {
  POINT pt{};
  GetCursorPos(&pt);
  // The tab strip has the page control's menu, the lists their own.
  if (from == tabs_) {
    if (pageTabMenu_.track) pageTabMenu_.track(hwnd(), pt);
    return;
  }
  CheckMenuItem(popup_.get(), kLPGridLine, settings_.GridLine() ? MF_CHECKED : MF_UNCHECKED);
  const int id = TrackPopupMenu(popup_.get(), TPM_LEFTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, hwnd(), nullptr);
  if (id == kLPGridLine) {
    settings_.SetGridLine(!settings_.GridLine());  // every list view follows, this one too
  } else if (id == kLPPrint) {
    OnPrint();
  }
}

void RegListWindow::OnPrint() {
  HWND list = ActiveList();
  const std::string title = kPageCaptions[list == titleList_ ? 1 : 0];
  std::vector<std::string> lines = {title, ""};
  const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  const int columns = list == regList_ ? 2 : 1;
  for (int row = 0; row < rows; ++row) {
    std::vector<std::string> texts;
    for (int col = 0; col < columns; ++col) texts.push_back(ListItemText(list, row, col));
    lines.push_back(usermenu::PrintLine(texts));
  }
  PrintTextLines(hwnd(), title, lines);
}

}  // namespace ambrel::win32
