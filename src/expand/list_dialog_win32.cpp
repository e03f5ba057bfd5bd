#include "expand/list_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "expand/dialog_parts_win32.h"
#include "expand/work_dialog_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = kHelpList;
enum MenuId : int { kLPSort = 201, kLPEdit, kLPPrint, kLPAutoSelect, kLPGridLine };
// Rows measured for the column width: enough for what the eye sees first,
// and a list of a million rows still opens at once.
constexpr std::size_t kMeasuredRows = 5000;

const PickerMenuItem kMenu[] = {
    {kLPSort, "ｿｰﾄ (&S)", "Menuリストをソートします"},
    {kLPEdit, "編集 (&E)", "Menu選択項目を編集します"},
    {kLPPrint, "印刷 (&P)", "Menuリストを一覧印刷します"},
    {0, nullptr, nullptr},
    {0, "ﾌﾟﾛﾊﾟﾃｨ (&B)", "Menuリストビューのプロパティを設定します", true},
    {kLPAutoSelect, "ｵｰﾄｾﾚｸﾄ (&A)", "Menuリスト項目を自動選択します"},
    {kLPGridLine, "ｸﾞﾘｯﾄﾞﾗｲﾝの表示 (&G)", "Menuグリッドラインを表示します", false, true},
};

// The rows live in rows_; the control asks for their texts (a virtual list),
// so loading and sorting large files stay quick.
const DialogControl kControls[] = {
    {PickerDialog::kViewId, WC_LISTVIEWA, "",
     WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_OWNERDATA |
         LVS_EDITLABELS,
     0, 0, 0, 0, nullptr, 0, 0, false, WS_EX_CLIENTEDGE},
    PickerDialog::NameLabel("ListView "),
};

}  // namespace

ListDialog::ListDialog(DialogHost& host, options::Settings& settings, WorkDialog& work, Files& files,
                       FileSystem& fileSystem)
    : PickerDialog(host, kHelpContext, settings, work, files, fileSystem) {}

bool ListDialog::Create() { return CreatePicker({"TList", "List", kControls, 240, 200, 200, 120, kMenu}); }

void ListDialog::SetUpView() {
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  column.cx = 300;
  SendMessageA(view_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  images_.reset(MakePickerImages(false));
  SendMessageA(view_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_.get()));
  ApplyGridLine();
}

void ListDialog::ApplyGridLine() {
  const DWORD ex = LVS_EX_FULLROWSELECT | (settings_.GridLine() ? LVS_EX_GRIDLINES : 0);
  SendMessageA(view_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
}

void ListDialog::ApplySetting(options::Setting which) {
  if (which == options::Setting::kGridLine) ApplyGridLine();
}

void ListDialog::FitColumn() {
  RECT rc{};
  GetClientRect(view_, &rc);
  int widest = rc.right - rc.left;
  HDC dc = GetDC(view_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(view_, WM_GETFONT, 0, 0)));
  for (std::size_t i = 0; i < rows_.size() && i < kMeasuredRows; ++i) {
    SIZE size{};
    const int n = static_cast<int>(std::min<std::size_t>(rows_[i].size(), 2000));
    GetTextExtentPoint32A(dc, rows_[i].c_str(), n, &size);
    widest = std::max<int>(widest, size.cx + 32);
  }
  SelectObject(dc, old);
  ReleaseDC(view_, dc);
  SendMessageA(view_, LVM_SETCOLUMNWIDTH, 0, widest);
}

int ListDialog::Selected() const {
  return static_cast<int>(SendMessageA(view_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListDialog::Select(int row) {
  LVITEMA clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(view_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  if (row < 0) return;
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(view_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageA(view_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListDialog::LoadList(std::string_view fileName) {
  std::string caption(fileName);
  SendMessageA(view_, WM_SETREDRAW, FALSE, 0);
  rows_.clear();
  SendMessageA(view_, LVM_SETITEMCOUNT, 0, 0);
  expand::WorkTargets targets{files_, fileSystem_, nullptr, &rows_};
  if (!expand::RunWork(fileName, settings_.Interval() * 1000, static_cast<int>(expand::WorkJob::kReadListFile),
                       targets, work_))
    caption.clear();
  SendMessageA(view_, LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOINVALIDATEALL);
  SendMessageA(view_, WM_SETREDRAW, TRUE, 0);
  FitColumn();
  InvalidateRect(view_, nullptr, TRUE);
  if (caption.empty()) caption = "Not read file.";
  SetWindowTextA(hwnd(), caption.c_str());
}

bool ListDialog::RunList(std::string_view fileName, std::string& line) {
  line.clear();
  LoadList(fileName);
  Select(rows_.empty() ? -1 : 0);
  const bool ok = RunPicker();
  const int row = Selected();
  if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) line = rows_[static_cast<std::size_t>(row)];
  return ok;
}

void ListDialog::CancelLabelEdit() { SendMessageA(view_, LVM_CANCELEDITLABEL, 0, 0); }

void ListDialog::Sort() {
  const int row = Selected();
  std::string selected = row >= 0 ? rows_[static_cast<std::size_t>(row)] : std::string();
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const std::string& a, const std::string& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; });
  InvalidateRect(view_, nullptr, TRUE);
  if (row >= 0) {
    const auto it = std::find(rows_.begin(), rows_.end(), selected);
    Select(static_cast<int>(it - rows_.begin()));
  }
}

void ListDialog::UpdateMenu(HMENU menu) {
  EnableMenuItem(menu, kLPEdit, MF_BYCOMMAND | (Selected() >= 0 ? MF_ENABLED : MF_GRAYED));
  CheckItem(menu, kLPAutoSelect, settings_.ListAutoSel());
  CheckItem(menu, kLPGridLine, settings_.GridLine());
}

void ListDialog::OnMenuCommand(int id) {
  switch (id) {
    case kLPSort: Sort(); break;
    case kLPEdit:
      if (Selected() >= 0) {
        AllowLabelEdit();
        SetFocus(view_);
        SendMessageA(view_, LVM_EDITLABELA, static_cast<WPARAM>(Selected()), 0);
      }
      break;
    case kLPPrint: Print(); break;
    case kLPAutoSelect: settings_.SetListAutoSel(!settings_.ListAutoSel()); break;
    case kLPGridLine: settings_.SetGridLine(!settings_.GridLine()); break;
    default: break;
  }
}

LRESULT ListDialog::OnViewNotify(NMHDR* header) {
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      const auto index = static_cast<std::size_t>(info->item.iItem);
      if (index >= rows_.size()) return 0;
      if (info->item.mask & LVIF_TEXT) lstrcpynA(info->item.pszText, rows_[index].c_str(), info->item.cchTextMax);
      if (info->item.mask & LVIF_IMAGE) info->item.iImage = expand::kImageLeaf;
      return 0;
    }
    case LVN_BEGINLABELEDITA: return RefuseLabelEdit() ? TRUE : FALSE;
    case LVN_ENDLABELEDITA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      LabelEditEnded();
      const auto index = static_cast<std::size_t>(info->item.iItem);
      if (info->item.pszText && index < rows_.size()) rows_[index] = info->item.pszText;
      InvalidateRect(view_, nullptr, FALSE);
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
        SendMessageA(view_, LVM_SETITEMSTATE, static_cast<WPARAM>(change->iItem), reinterpret_cast<LPARAM>(&item));
      }
      return 0;
    }
    default: return 0;
  }
}

void ListDialog::OnViewMouseMove(POINT at) {
  if (!settings_.ListAutoSel()) return;
  LVHITTESTINFO hit{};
  hit.pt = at;
  const int row = static_cast<int>(SendMessageA(view_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0 && row != Selected()) Select(row);
}

}  // namespace ambrel::win32
