#include "expand/picker_dialog_win32.h"

#include "expand/dialog_parts_win32.h"
#include "platform/fault_barrier_win32.h"
#include "platform/text_printer_win32.h"
#include "platform/window_text_win32.h"

namespace ambrel::win32 {
namespace {

constexpr std::size_t kHintPrefix = 4;  // "Menu"

}  // namespace

PickerDialog::PickerDialog(DialogHost& host, int helpContext, options::Settings& settings, WorkDialog& work,
                           Files& files, FileSystem& fileSystem)
    : ModalDialog(host, helpContext), settings_(settings), work_(work), files_(files), fileSystem_(fileSystem) {
  settings_.AddObserver(this);
}

PickerDialog::~PickerDialog() { settings_.RemoveObserver(this); }

bool PickerDialog::CreatePicker(const Shape& shape) {
  shape_ = shape;
  return CreateDialogWindow(shape.className, shape.caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                            WS_EX_DLGMODALFRAME, shape.widthUnits, shape.heightUnits);
}

void PickerDialog::OnCreate() {
  AddControls(shape_.controls);
  AddControls(kButtonRow);
  view_ = GetDlgItem(hwnd(), kViewId);
  name_ = GetDlgItem(hwnd(), kNameId);
  if (const DialogControl* label = FindControl(shape_.controls, kNameId)) nameLabel_ = label->text;
  SetUpView();
  SetWindowSubclass(view_, &Guarded<&PickerDialog::ViewProc>, 1, reinterpret_cast<DWORD_PTR>(this));
  BuildMenu();
}

void PickerDialog::BuildMenu() {
  HMENU popup = CreatePopupMenu();
  HMENU target = popup;
  for (const PickerMenuItem& item : shape_.menu) {
    if (item.submenu) {
      HMENU sub = CreatePopupMenu();
      AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.text);
      target = sub;
      continue;
    }
    if (item.id == 0) AppendMenuA(target, MF_SEPARATOR, 0, nullptr);
    else AppendMenuA(target, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
    if (item.endSubmenu) target = popup;
  }
  menu_.reset(popup);
}

void PickerDialog::OnSize(int width, int height) {
  const DialogUnits& du = Units();
  const int margin = du.X(5);
  PlaceControl(kViewId, margin, margin, width - 2 * margin, height - margin - du.Y(kButtonRowUnits));
  LayoutButtonRow(hwnd(), kNameId, width, height, du);
  OnViewResized();
}

void PickerDialog::Close(bool ok) {
  if (editing_) CancelLabelEdit();
  EndModal(ok);
}

bool PickerDialog::RefuseLabelEdit() {
  if (!labelEditAllowed_) return true;
  editing_ = true;
  return false;
}

void PickerDialog::LabelEditEnded() {
  editing_ = false;
  labelEditAllowed_ = false;
}

void PickerDialog::CheckItem(HMENU menu, int id, bool on) {
  CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void PickerDialog::Print() {
  const std::string caption = WindowText(hwnd());
  std::vector<std::string> lines{caption, ""};
  const std::vector<std::string> rows = PrintedRows();
  lines.insert(lines.end(), rows.begin(), rows.end());
  PrintTextLines(hwnd(), caption, lines);
}

void PickerDialog::OnContextMenu(int x, int y) {
  UpdateMenu(menu_.get());
  if (x == -1 && y == -1) {
    POINT pt{};
    GetCursorPos(&pt);
    x = pt.x;
    y = pt.y;
  }
  TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
}

// While the menu is open the name label takes the whole button row, so that
// the item hints have room; the buttons come back when it closes.
void PickerDialog::ShowMenuHints(bool on) {
  for (const DialogControl& button : kButtonRow) ShowWindow(GetDlgItem(hwnd(), button.id), on ? SW_HIDE : SW_SHOW);
  RECT rc{};
  GetClientRect(hwnd(), &rc);
  if (!on) {
    SetWindowTextA(name_, nameLabel_);
    OnSize(rc.right, rc.bottom);
    return;
  }
  RECT label{};
  GetWindowRect(name_, &label);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&label), 2);
  const int margin = Units().X(5);
  PlaceControl(kNameId, margin, label.top, rc.right - 2 * margin, label.bottom - label.top);
}

void PickerDialog::OnMenuSelect(int id, HMENU menu, UINT flags) {
  if (flags == 0xFFFF && !menu) return;  // the menu closed
  const bool popup = (flags & MF_POPUP) != 0;
  for (const PickerMenuItem& item : shape_.menu) {
    // A submenu's own item is reported by position; a picker has one submenu.
    if (popup ? !item.submenu : (item.submenu || item.id == 0 || item.id != id)) continue;
    SetWindowTextA(name_, ("  " + std::string(item.hint + kHintPrefix)).c_str());
    return;
  }
}

void PickerDialog::OnCommand(int id) {
  switch (id) {
    case IDOK: Close(true); break;
    case IDCANCEL: Close(false); break;
    case kHelpId: OpenHelp(HelpContextAt(nullptr)); break;
    default: OnMenuCommand(id); break;
  }
}

LRESULT CALLBACK PickerDialog::ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data) {
  auto* self = reinterpret_cast<PickerDialog*>(data);
  if (msg == WM_MOUSEMOVE && !self->editing_)
    self->OnViewMouseMove(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT PickerDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      return header->hwndFrom == view_ ? OnViewNotify(header) : 0;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == view_)
        OnContextMenu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      ShowMenuHints(msg == WM_ENTERMENULOOP);
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), reinterpret_cast<HMENU>(lParam), HIWORD(wParam));
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {Units().X(shape_.minWidthUnits),
                                                               Units().Y(shape_.minHeightUnits)};
      return 0;
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace ambrel::win32
