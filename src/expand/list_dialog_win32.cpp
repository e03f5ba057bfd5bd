#include "expand/list_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "expand/dialog_parts_win32.h"
#include "expand/work_dialog_win32.h"
#include "platform/dialog_placement_win32.h"
#include "platform/help_win32.h"
#include "platform/text_printer_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kListId = 101;
constexpr int kHelpContext = 158;
enum MenuId : int { kLPSort = 201, kLPEdit, kLPPrint, kLPAutoSelect, kLPGridLine };
// Rows measured for the column width: enough for what the eye sees first,
// and a list of a million rows still opens at once.
constexpr std::size_t kMeasuredRows = 5000;

}  // namespace

ListDialog::ListDialog(options::Settings& settings, WorkDialog& work, Files& files, FileSystem& fileSystem)
    : settings_(settings), work_(work), files_(files), fileSystem_(fileSystem) {
  settings_.AddObserver(this);
}

ListDialog::~ListDialog() { settings_.RemoveObserver(this); }

bool ListDialog::Create() {
  return CreateWin("TList", "List", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_DLGMODALFRAME,
                   -2000, 0, 360, 320, nullptr, nullptr);
}

void ListDialog::OnCreate() {
  // The rows live in rows_; the control asks for their texts (a virtual
  // list), so loading and sorting large files stay quick.
  list_ = AddControl(hwnd(), WC_LISTVIEWA, "",
                     WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
                         LVS_OWNERDATA | LVS_EDITLABELS,
                     kListId, WS_EX_CLIENTEDGE);
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  column.cx = 300;
  SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  images_.reset(MakePickerImages(false));
  SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_.get()));
  ApplyGridLine();
  SetWindowSubclass(list_, &ListDialog::ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
  name_ = AddControl(hwnd(), "STATIC", "ListView ", SS_LEFT, 0);
  AddButtonRow(hwnd());

  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, kLPSort, "ｿｰﾄ (&S)");
  AppendMenuA(popup, MF_STRING, kLPEdit, "編集 (&E)");
  AppendMenuA(popup, MF_STRING, kLPPrint, "印刷 (&P)");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  HMENU property = CreatePopupMenu();
  AppendMenuA(property, MF_STRING, kLPAutoSelect, "ｵｰﾄｾﾚｸﾄ (&A)");
  AppendMenuA(property, MF_STRING, kLPGridLine, "ｸﾞﾘｯﾄﾞﾗｲﾝの表示 (&G)");
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(property), "ﾌﾟﾛﾊﾟﾃｨ (&B)");
  menu_.reset(popup);
}

void ListDialog::ApplyGridLine() {
  const DWORD ex = LVS_EX_FULLROWSELECT | (settings_.GridLine() ? LVS_EX_GRIDLINES : 0);
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
}

void ListDialog::OnSettingChanged(options::Setting which) {
  if (which == options::Setting::kGridLine && list_) ApplyGridLine();
}

void ListDialog::OnSize(int width, int height) {
  MoveWindow(list_, 8, 8, width - 16, height - 16 - 40, TRUE);
  LayoutButtonRow(hwnd(), name_, width, height);
  FitColumn();
}

void ListDialog::FitColumn() {
  RECT rc{};
  GetClientRect(list_, &rc);
  int widest = rc.right - rc.left;
  HDC dc = GetDC(list_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
  for (std::size_t i = 0; i < rows_.size() && i < kMeasuredRows; ++i) {
    SIZE size{};
    const int n = static_cast<int>(std::min<std::size_t>(rows_[i].size(), 2000));
    GetTextExtentPoint32A(dc, rows_[i].c_str(), n, &size);
    widest = std::max<int>(widest, size.cx + 32);
  }
  SelectObject(dc, old);
  ReleaseDC(list_, dc);
  SendMessageA(list_, LVM_SETCOLUMNWIDTH, 0, widest);
}

int ListDialog::Selected() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListDialog::Select(int row) {
  LVITEMA clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  if (row < 0) return;
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListDialog::LoadList(std::string_view fileName) {
  std::string caption(fileName);
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  rows_.clear();
  SendMessageA(list_, LVM_SETITEMCOUNT, 0, 0);
  expand::WorkTargets targets{files_, fileSystem_, nullptr, &rows_};
  if (!expand::RunWork(fileName, settings_.Interval() * 1000, static_cast<int>(expand::WorkJob::kReadListFile),
                       targets, work_))
    caption.clear();
  SendMessageA(list_, LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOINVALIDATEALL);
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  FitColumn();
  InvalidateRect(list_, nullptr, TRUE);
  if (caption.empty()) caption = "Not read file.";
  SetWindowTextA(hwnd(), caption.c_str());
}

bool ListDialog::RunList(std::string_view fileName, std::string& line) {
  line.clear();
  CenterDialog(hwnd());
  LoadList(fileName);
  Select(rows_.empty() ? -1 : 0);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(list_);
  open_ = true;
  ok_ = false;
  RunModalLoop(hwnd(), open_);
  const int row = Selected();
  if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) line = rows_[static_cast<std::size_t>(row)];
  return ok_;
}

void ListDialog::Close(bool ok) {
  if (editing_) SendMessageA(list_, LVM_CANCELEDITLABEL, 0, 0);
  ok_ = ok;
  open_ = false;
  ShowWindow(hwnd(), SW_HIDE);
}

void ListDialog::Sort() {
  const int row = Selected();
  std::string selected = row >= 0 ? rows_[static_cast<std::size_t>(row)] : std::string();
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const std::string& a, const std::string& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; });
  InvalidateRect(list_, nullptr, TRUE);
  if (row >= 0) {
    const auto it = std::find(rows_.begin(), rows_.end(), selected);
    Select(static_cast<int>(it - rows_.begin()));
  }
}

void ListDialog::Print() {
  char caption[512] = {};
  GetWindowTextA(hwnd(), caption, sizeof caption);
  std::vector<std::string> lines{caption, ""};
  lines.insert(lines.end(), rows_.begin(), rows_.end());
  PrintTextLines(hwnd(), caption, lines);
}

void ListDialog::OnContextMenu(int x, int y) {
  HMENU menu = menu_.get();
  const bool hasSelection = Selected() >= 0;
  EnableMenuItem(menu, kLPEdit, MF_BYCOMMAND | (hasSelection ? MF_ENABLED : MF_GRAYED));
  CheckMenuItem(menu, kLPAutoSelect, MF_BYCOMMAND | (settings_.ListAutoSel() ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, kLPGridLine, MF_BYCOMMAND | (settings_.GridLine() ? MF_CHECKED : MF_UNCHECKED));
  if (x == -1 && y == -1) {
    POINT pt{};
    GetCursorPos(&pt);
    x = pt.x;
    y = pt.y;
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
}

void ListDialog::OnCommand(int id) {
  switch (id) {
    case IDOK: Close(true); break;
    case IDCANCEL: Close(false); break;
    case kHelpId: OpenHelp(kHelpContext); break;
    case kLPSort: Sort(); break;
    case kLPEdit:
      if (Selected() >= 0) {
        labelEditAllowed_ = true;
        SetFocus(list_);
        SendMessageA(list_, LVM_EDITLABELA, static_cast<WPARAM>(Selected()), 0);
      }
      break;
    case kLPPrint: Print(); break;
    case kLPAutoSelect: settings_.SetListAutoSel(!settings_.ListAutoSel()); break;
    case kLPGridLine: settings_.SetGridLine(!settings_.GridLine()); break;
    default: break;
  }
}

LRESULT ListDialog::OnNotify(NMHDR* header) {
  if (header->hwndFrom != list_) return 0;
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      const auto index = static_cast<std::size_t>(info->item.iItem);
      if (index >= rows_.size()) return 0;
      if (info->item.mask & LVIF_TEXT) lstrcpynA(info->item.pszText, rows_[index].c_str(), info->item.cchTextMax);
      if (info->item.mask & LVIF_IMAGE) info->item.iImage = expand::kImageLeaf;
      return 0;
    }
    case LVN_BEGINLABELEDITA:
      if (!labelEditAllowed_) return TRUE;
      editing_ = true;
      return FALSE;
    case LVN_ENDLABELEDITA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      editing_ = false;
      labelEditAllowed_ = false;
      const auto index = static_cast<std::size_t>(info->item.iItem);
      if (info->item.pszText && index < rows_.size()) rows_[index] = info->item.pszText;
      InvalidateRect(list_, nullptr, FALSE);
      return FALSE;
    }
    case NM_DBLCLK:
      if (!editing_ && Selected() >= 0) Close(true);
      return 0;
    case NM_CLICK: {
      auto* act = reinterpret_cast<NMITEMACTIVATE*>(header);
      if (settings_.ListAutoSel() && !editing_ && act->iItem >= 0) {
        Select(act->iItem);
        Close(true);
      }
      return 0;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (change->iItem >= 0 && (change->uNewState & LVIS_SELECTED) && !(change->uNewState & LVIS_FOCUSED)) {
        LVITEMA item{};
        item.stateMask = LVIS_FOCUSED;
        item.state = LVIS_FOCUSED;
        SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(change->iItem), reinterpret_cast<LPARAM>(&item));
      }
      return 0;
    }
    default: return 0;
  }
}

LRESULT CALLBACK ListDialog::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<ListDialog*>(data);
  if (msg == WM_MOUSEMOVE && self->settings_.ListAutoSel() && !self->editing_) {
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int row = static_cast<int>(SendMessageA(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && row != self->Selected()) self->Select(row);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT ListDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == list_)
        OnContextMenu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_CLOSE: Close(false); return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {300, 180};
      return 0;
    default: return Default(msg, wParam, lParam);
  }
}

}  // namespace ambrel::win32
