#include "variables/meta_window_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>
#include <vector>

#include "expand/func_list.h"
#include "help_contexts.h"
#include "platform/dialog_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/fault_barrier_win32.h"
#include "platform/list_view_win32.h"
#include "platform/text_printer_win32.h"
#include "usermenu/reg_list_model.h"
#include "variables/meta_menu_ids.h"

namespace ambrel::win32 {
namespace {

constexpr int kTabsId = 10, kMetaListId = 11, kFuncListId = 12;
constexpr int kHelpContext = kHelpStaticVariables;
constexpr const char* kPageCaptions[2] = {"メタ文字対応表", "関数対応表"};
constexpr const char* kMetaListHint = "現在設定されている静的変数と、それに対応する関数の一覧です";
constexpr const char* kFuncListHint = "使用可能な関数名とその内容の一覧です";
constexpr int kWidth = 250, kHeight = 318;
constexpr int kMetaWidth = 70, kDataWidth = 100, kFuncNameWidth = 90, kFuncTextWidth = 135;

using namespace variables;  // the menu's ids

struct MenuItem {
  int id;  // 0: a separator
  const char* caption;
  const char* hint;
};
constexpr MenuItem kEditItems[] = {
    {kMMMetaAdd, "追加...(&A)", "Menu静的変数を新規に追加します"},
    {kMMMetaEdit, "更新...(&E)", "Menu選択中の静的変数を編集します"},
    {kMMMetaDel, "削除...(&D)", "Menu選択中の静的変数を削除します"},
    {0, nullptr, nullptr},
    {kMMPrint, "印刷 (&P)", "Menuリストを一覧印刷します"},
    {0, nullptr, nullptr},
    {kMMClose, "閉じる (&Q)", "Menu静的変数リストを閉じます"},
};
constexpr MenuItem kPropItems[] = {
    {kMMMetaMode, "静的変数変換を行う (&S)", "Menu静的変数を変換します"},
    {kMMGridLine, "ｸﾞﾘｯﾄﾞﾗｲﾝの表示 (&G)", "Menuグリッドラインを表示します"},
};
// The test items follow a separator; each runs the editor command of the same test.
constexpr MenuItem kTestItems[] = {
    {kMMInput, "#&Input...", "Menu#Input関数の入力ウインドウを試験実行します"},
    {kMMFiler, "#&Filer...", "Menu#Filer関数の入力ウインドウを試験実行します"},
    {kMMList, "#&List...", "Menu#List関数のリストウインドウを試験実行します"},
    {kMMTree, "#&Tree(file)...", "Menu#Tree関数のツリーウインドウを試験実行します"},
    {kMMTreeFolder, "#&Tree(dir)...", "Menu#Tree(dir)関数のツリーウインドウを試験実行します"},
};
constexpr const char* kEditHint = "Menu静的変数の編集を行います";
constexpr const char* kPropHint = "Menuメタリストのプロパティを設定します";
constexpr std::size_t kMenuPrefix = 4;  // "Menu"

int TestCommand(int id) {
  switch (id) {
    case kMMInput: return editor::kCmdTestInput;
    case kMMFiler: return editor::kCmdTestFiler;
    case kMMList: return editor::kCmdTestList;
    case kMMTree: return editor::kCmdTestTreeFile;
    case kMMTreeFolder: return editor::kCmdTestTreeFolder;
    default: return -1;
  }
}

const char* HintOf(int id) {
  for (const MenuItem& m : kEditItems) if (m.id == id) return m.hint;
  for (const MenuItem& m : kPropItems) if (m.id == id) return m.hint;
  for (const MenuItem& m : kTestItems) if (m.id == id) return m.hint;
  return nullptr;
}

template <std::size_t N>
void AppendItems(HMENU menu, const MenuItem (&items)[N]) {
  for (const MenuItem& m : items)
    AppendMenuA(menu, m.id ? MF_STRING : MF_SEPARATOR, static_cast<UINT_PTR>(m.id), m.caption);
}

void SelectOnly(HWND list, int row) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row < 0) return;
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, row, FALSE);
}

int FontHeight(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return tm.tmHeight;
}

void FitList(HWND list, int rows) {
  RECT rc{};
  GetClientRect(list, &rc);
  RECT window{};
  GetWindowRect(list, &window);
  const int width = window.right - window.left, height = window.bottom - window.top;
  const int first = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
  const int second = expand::FitSecondColumn(width, height, first, rows, FontHeight(list),
                                             GetSystemMetrics(SM_CYVSCROLL));
  if (second > 0) SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, second);
}

}  // namespace

bool FuncPanel::Create(HWND parent) {
  if (!CreateWin("TFuncPanel", "", WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, 0, 0, 0, parent, nullptr))
    return false;
  list_ = MakeReportList(hwnd(), kFuncListId, WS_VISIBLE);
  AddListColumn(list_, 0, "関数名", kFuncNameWidth);
  AddListColumn(list_, 1, "内容", kFuncTextWidth);
  for (int f = 0; f < expand::kFuncCount; ++f) {
    order_.push_back(f);
    AddListRow(list_, f, {"", ""});
  }
  ShowRows();
  return true;
}

void FuncPanel::ShowRows() {
  for (int row = 0; row < expand::kFuncCount; ++row) {
    const expand::FuncInfo& f = expand::FuncList()[static_cast<std::size_t>(order_[static_cast<std::size_t>(row)])];
    for (int column = 0; column < 2; ++column) {
      std::string text(column == 0 ? f.name : f.description);
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
  }
}

int FuncPanel::FunctionAt(int row) const {
  return row >= 0 && row < expand::kFuncCount ? order_[static_cast<std::size_t>(row)] : -1;
}

int FuncPanel::Move(int from, int target) {
  const int moved = expand::MoveRow(order_, from, target);
  if (moved >= 0) {
    ShowRows();
    SelectOnly(list_, moved);
  }
  return moved;
}

void FuncPanel::MoveTo(HWND holder, const RECT& area) {
  if (GetParent(hwnd()) != holder) SetParent(hwnd(), holder);
  MoveWindow(hwnd(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  ShowWindow(hwnd(), SW_SHOW);
}

LRESULT FuncPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE: MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_NOTIFY:
    case WM_CONTEXTMENU: return SendMessageA(GetParent(hwnd()), msg, wParam, lParam);
    default: return Default(msg, wParam, lParam);
  }
}

MetaWindow::MetaWindow(const MetaWindowServices& services) : s_(services) {
  s_.settings.AddObserver(this);
}

MetaWindow::~MetaWindow() {
  s_.settings.RemoveObserver(this);
  s_.meta.SetObserver(nullptr);
}

bool MetaWindow::Create() {
  const Point parked = ParkingPlace();
  const int dpi = DpiForWindow(nullptr);
  return CreateWin("TMeta", "静的変数ﾘｽﾄ", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                   WS_EX_TOOLWINDOW, parked.x, parked.y, ScaleForDpi(kWidth, dpi), ScaleForDpi(kHeight, dpi),
                   nullptr, nullptr);
}

void MetaWindow::OnCreate() {
  tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, hwnd(),
                          reinterpret_cast<HMENU>(kTabsId), GetModuleHandleA(nullptr), nullptr);
  for (int page = 0; page < 2; ++page) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[page]);
    SendMessageA(tabs_, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
  }
  list_ = MakeReportList(hwnd(), kMetaListId, WS_VISIBLE | LVS_OWNERDATA);
  AddListColumn(list_, 0, "メタ文字", kMetaWidth);
  AddListColumn(list_, 1, "関数OR文字列", kDataWidth);
  funcPanel_.Create(hwnd());
  for (HWND list : {list_, funcPanel_.List()})
    SetWindowSubclass(list, &Guarded<&MetaWindow::ListProc>, 1, reinterpret_cast<DWORD_PTR>(this));
  font_ = CreateUiFont(DpiForWindow(hwnd()));
  for (HWND control : {tabs_, list_, funcPanel_.List()})
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  BuildMenu();
  ApplyGridLines();
  SetTabPlacement(tabs_, s_.settings.UpperTab(), s_.settings.MultiLine());
  s_.meta.SetObserver(this);
  OnRowsChanged();
  ShowPage(0);
}

void MetaWindow::BuildMenu() {
  menu_.reset(CreateMenu());
  editMenu_ = CreatePopupMenu();
  AppendItems(editMenu_, kEditItems);
  propMenu_ = CreatePopupMenu();
  AppendItems(propMenu_, kPropItems);
  AppendMenuA(propMenu_, MF_SEPARATOR, 0, nullptr);
  AppendItems(propMenu_, kTestItems);
  AppendMenuA(menu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(editMenu_), "編集 (&E)");
  AppendMenuA(menu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(propMenu_), "ﾌﾟﾛﾊﾟﾃｨ (&B)");
  SetMenu(hwnd(), menu_.get());
}

void MetaWindow::InitMeta() {
  ShowPage(0);
  OnRowsChanged();
  ShowPage(1);
}

LRESULT MetaWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CONTEXTMENU: OnContextMenu(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_MOUSEMOVE:
      if (dragList_) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd(), &pt);
        OnDragMove(pt);
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragList_) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd(), &pt);
        EndDrag(true, pt);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (dragList_) EndDrag(false, POINT{});
      return 0;
    case WM_HELP: if (s_.openHelp) s_.openHelp(kHelpContext); return TRUE;
    case WM_CLOSE: Close(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void MetaWindow::OnSize() {
  const RECT inner = LayOutTabs(tabs_);
  FillTabPage(list_, inner);
  if (GetParent(funcPanel_.hwnd()) == hwnd()) FillTabPage(funcPanel_.hwnd(), inner);
  FitColumns();
}

// Both lists are fitted whenever either is resized.
void MetaWindow::FitColumns() {
  FitList(list_, s_.meta.Count());
  FitList(funcPanel_.List(), expand::kFuncCount);
}

void MetaWindow::ShowPage(int page) {
  TabCtrl_SetCurSel(tabs_, page);
  ShowWindow(list_, page == 0 ? SW_SHOW : SW_HIDE);
  if (GetParent(funcPanel_.hwnd()) == hwnd()) ShowWindow(funcPanel_.hwnd(), page == 1 ? SW_SHOW : SW_HIDE);
}

int MetaWindow::ActivePage() const { return TabCtrl_GetCurSel(tabs_); }

int MetaWindow::SelectedRow() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void MetaWindow::TakeBackFuncPanel() {
  const RECT inner = LayOutTabs(tabs_);
  funcPanel_.MoveTo(hwnd(), inner);
  FillTabPage(funcPanel_.hwnd(), inner);
  ShowPage(ActivePage());
}

void MetaWindow::ShowMetaList(HWND editor) {
  ShowPage(0);
  PlaceBeside(hwnd(), editor, 0);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(list_);
}

void MetaWindow::Close() {
  ShowWindow(hwnd(), SW_HIDE);
  ParkWindow(hwnd());
}

void MetaWindow::SelectRow(int row) {
  if (row >= 0 && row < s_.meta.Count()) SelectOnly(list_, row);
}

void MetaWindow::OnRowsChanged() {
  if (!list_) return;
  SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(s_.meta.Count()), LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, TRUE);
  FitColumns();
}

void MetaWindow::OnSettingChanged(options::Setting which) {
  if (!list_) return;
  if (which == options::Setting::kGridLine) {
    ApplyGridLines();
  } else if (which == options::Setting::kUpperTab || which == options::Setting::kMultiLine) {
    SetTabPlacement(tabs_, s_.settings.UpperTab(), s_.settings.MultiLine());
    OnSize();
  }
}

void MetaWindow::ApplyGridLines() {
  const DWORD grid = s_.settings.GridLine() ? LVS_EX_GRIDLINES : 0;
  for (HWND list : {list_, funcPanel_.List()}) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, grid);
    InvalidateRect(list, nullptr, TRUE);
  }
}

LRESULT MetaWindow::OnNotify(const NMHDR& header) {
  if (header.idFrom == kTabsId && header.code == TCN_SELCHANGE) {
    ShowPage(ActivePage());
    return 0;
  }
  if (header.hwndFrom == list_) return OnMetaListNotify(header);
  if (header.hwndFrom == funcPanel_.List()) return OnFuncListNotify(header, false);
  return 0;
}

LRESULT MetaWindow::OnMetaListNotify(const NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOA: {
      auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
      const int row = info.item.iItem;
      if ((info.item.mask & LVIF_TEXT) && row >= 0 && row < s_.meta.Count()) {
        const expand::MetaRow& r = s_.meta.Row(row);
        dispText_ = info.item.iSubItem == 0 ? r.caption : r.data;
        info.item.pszText = dispText_.data();
      }
      return 0;
    }
    case LVN_BEGINDRAG: BeginDrag(list_, reinterpret_cast<const NMLISTVIEW&>(header).iItem); return 0;
    case NM_DBLCLK: Update(); return 0;
    case LVN_KEYDOWN: {
      const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
      if (key == VK_ESCAPE) Close();
      else if (key == VK_RETURN) Update();
      return 0;
    }
    default: return 0;
  }
}

LRESULT MetaWindow::OnFuncListNotify(const NMHDR& header, bool inPopup) {
  if (header.code == LVN_BEGINDRAG && !inPopup) {
    BeginDrag(funcPanel_.List(), reinterpret_cast<const NMLISTVIEW&>(header).iItem);
  } else if (header.code == LVN_KEYDOWN && !inPopup &&
             reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_ESCAPE) {
    Close();
  }
  return 0;
}

void MetaWindow::OnCommand(int id) {
  switch (id) {
    case kMMMetaAdd: Add(); break;
    case kMMMetaEdit: Update(); break;
    case kMMMetaDel: Delete(); break;
    case kMMPrint: Print(); break;
    case kMMClose: Close(); break;
    case kMMMetaMode: s_.meta.SetMetaExpand(!s_.meta.MetaExpand()); break;
    case kMMGridLine: s_.settings.SetGridLine(!s_.settings.GridLine()); break;
    default:
      if (TestCommand(id) >= 0) RunEditorCommand(TestCommand(id));
      break;
  }
}

void MetaWindow::RunEditorCommand(int id) {
  if (s_.editorContext) s_.commands.Run(id, s_.editorContext());
}

void MetaWindow::OnInitMenuPopup(HMENU menu) {
  if (menu == editMenu_) {
    const UINT on = SelectedRow() >= 0 && ActivePage() == 0 ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(editMenu_, kMMMetaEdit, on);
    EnableMenuItem(editMenu_, kMMMetaDel, on);
  } else {
    CheckMenuItem(menu, kMMMetaMode, s_.meta.MetaExpand() ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(menu, kMMGridLine, s_.settings.GridLine() ? MF_CHECKED : MF_UNCHECKED);
    for (const MenuItem& m : kTestItems)
      EnableMenuItem(menu, m.id, s_.commands.Has(TestCommand(m.id)) ? MF_ENABLED : MF_GRAYED);
  }
}

void MetaWindow::OnMenuSelect(UINT item, UINT flags) {
  const char* hint = nullptr;
  if (flags & MF_POPUP) hint = item == 0 ? kEditHint : kPropHint;
  else hint = HintOf(static_cast<int>(item));
  if (hint) Hint(hint + kMenuPrefix);
}

void MetaWindow::Hint(const char* text) {
  if (s_.showHint) s_.showHint(std::string("  ") + text);
}

void MetaWindow::OnContextMenu(HWND from) {
  POINT pt{};
  GetCursorPos(&pt);
  if (from == list_) {
    OnInitMenuPopup(editMenu_);
    TrackPopupMenu(editMenu_, TPM_LEFTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr);
  } else if (from == funcPanel_.List()) {
    TrackPropMenu(hwnd(), true);
  }
}

// The menu bar's submenu is used as is; the popup's copy leaves out the tests.
void MetaWindow::TrackPropMenu(HWND owner, bool withTests) {
  POINT pt{};
  GetCursorPos(&pt);
  MenuHandle copy;
  HMENU menu = propMenu_;
  if (!withTests) {
    copy.reset(CreatePopupMenu());
    AppendItems(copy.get(), kPropItems);
    menu = copy.get();
  }
  OnInitMenuPopup(menu);
  const int id = TrackPopupMenu(menu, TPM_LEFTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, owner, nullptr);
  if (id) OnCommand(id);
}

void MetaWindow::Add() {
  if (!editView_) return;
  const int row = expand::AddMeta(s_.meta, *editView_);
  if (row >= 0) SelectOnly(list_, row);
}

void MetaWindow::Update() {
  if (!editView_ || ActivePage() != 0) return;
  const int row = expand::UpdateMeta(s_.meta, *editView_, SelectedRow());
  if (row >= 0) SelectOnly(list_, row);
}

void MetaWindow::Delete() {
  if (!editView_ || ActivePage() != 0) return;
  SelectOnly(list_, expand::DeleteMeta(s_.meta, *editView_, SelectedRow()));
}

// The one place this window prints: the active page's caption, then a line
// per row.
void MetaWindow::Print() {
  const int page = ActivePage();
  const std::string title = kPageCaptions[page == 1 ? 1 : 0];
  std::vector<std::string> lines = {title, ""};
  if (page == 1) {
    for (int row = 0; row < expand::kFuncCount; ++row) {
      const expand::FuncInfo& f = expand::FuncList()[static_cast<std::size_t>(funcPanel_.FunctionAt(row))];
      lines.push_back(usermenu::PrintLine({std::string(f.name), std::string(f.description)}));
    }
  } else {
    for (const expand::MetaRow& r : s_.meta.Rows()) lines.push_back(usermenu::PrintLine({r.caption, r.data}));
  }
  PrintTextLines(hwnd(), title, lines);
}

void MetaWindow::BeginDrag(HWND list, int row) {
  if (row < 0) return;
  dragList_ = list;
  dragRow_ = row;
  SetCapture(hwnd());
}

void MetaWindow::OnDragMove(POINT screen) {
  const bool own = WindowFromPoint(screen) == dragList_;
  const bool accepted = own || (dragList_ == list_ && s_.dropTarget.AcceptsTextAt(screen));
  SetCursor(LoadCursorA(nullptr, accepted ? IDC_ARROW : IDC_NO));
}

// A drop on the same list moves the row; a static variable dropped on a clip
// editor is inserted there as its caption. Other drops are refused.
void MetaWindow::EndDrag(bool drop, POINT screen) {
  HWND list = dragList_;
  const int from = dragRow_;
  dragList_ = nullptr;
  dragRow_ = -1;
  if (GetCapture() == hwnd()) ReleaseCapture();
  if (!drop) return;
  if (WindowFromPoint(screen) == list) {
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(list, &hit.pt);
    const int target = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (list != list_) {
      funcPanel_.Move(from, target);
    } else if (const int moved = s_.meta.Move(from, target); moved >= 0) {
      SelectOnly(list_, moved);
    }
    return;
  }
  if (list == list_ && from < s_.meta.Count()) s_.dropTarget.DropTextAt(screen, s_.meta.Row(from).caption);
}

LRESULT CALLBACK MetaWindow::ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<MetaWindow*>(data);
  if (msg == WM_MOUSEMOVE && GetAncestor(list, GA_ROOT) == self->hwnd())
    self->Hint(list == self->list_ ? kMetaListHint : kFuncListHint);
  return DefSubclassProc(list, msg, wParam, lParam);
}

}  // namespace ambrel::win32
