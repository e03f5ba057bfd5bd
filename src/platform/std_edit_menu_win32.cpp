#include "platform/std_edit_menu_win32.h"

#include <commctrl.h>

#include <string>

#include "platform/editing_items.h"
#include "platform/fault_barrier_win32.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {
namespace {

enum Item : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

const EditingItem& ItemOf(UINT item) {
  switch (item) {
    case kUndo: return kUndoItem;
    case kCut: return kCutItem;
    case kCopy: return kCopyItem;
    case kPaste: return kPasteItem;
    case kDelete: return kDeleteItem;
    default: return kSelectAllItem;
  }
}

constexpr std::size_t kMenuHintPrefix = 4;  // "Menu"

// A highlighted item's hint goes where the field's window shows its hints:
// the second panel of its status bar (the first when the bar has only one).
void ShowItemHint(HWND edit, UINT item, UINT flags) {
  if (item < kUndo || item > kSelectAll || (flags & (MF_POPUP | MF_SEPARATOR))) return;
  HWND bar = FindWindowExA(GetAncestor(edit, GA_ROOT), nullptr, STATUSCLASSNAMEA, nullptr);
  if (!bar) return;
  const WPARAM panel = SendMessageA(bar, SB_GETPARTS, 0, 0) >= 2 ? 1 : 0;
  const std::string text = "  " + std::string(ItemOf(item).hint + kMenuHintPrefix);
  SendMessageA(bar, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

bool HasSelection(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return end > start;
}

void Carry(HWND edit, UINT item) {
  switch (item) {
    case kUndo: SendMessageA(edit, EM_UNDO, 0, 0); break;
    case kCut: SendMessageA(edit, WM_CUT, 0, 0); break;
    case kCopy: SendMessageA(edit, WM_COPY, 0, 0); break;
    case kPaste: SendMessageA(edit, WM_PASTE, 0, 0); break;
    case kDelete: SendMessageA(edit, WM_CLEAR, 0, 0); break;
    case kSelectAll: SendMessageA(edit, EM_SETSEL, 0, -1); break;
    default: break;
  }
}

void OpenMenu(HWND edit, LPARAM position) {
  POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == -1) {  // from the keyboard: at the field
    RECT rc{};
    GetWindowRect(edit, &rc);
    at = {rc.left + 8, rc.top + 8};
  }
  SetFocus(edit);
  const bool selection = HasSelection(edit);
  const UINT cut = selection ? MF_ENABLED : MF_GRAYED;
  const UINT paste = IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED;
  MenuHandle menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, kUndo, kUndoItem.caption);
  AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu.get(), MF_STRING | cut, kCut, kCutItem.caption);
  AppendMenuA(menu.get(), MF_STRING | cut, kCopy, kCopyItem.caption);
  AppendMenuA(menu.get(), MF_STRING | paste, kPaste, kPasteItem.caption);
  AppendMenuA(menu.get(), MF_STRING | cut, kDelete, kDeleteItem.caption);
  AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu.get(), MF_STRING, kSelectAll, kSelectAllItem.caption);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_LEFTBUTTON | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                       at.x, at.y, 0, edit, nullptr));
  PostMessageA(edit, WM_NULL, 0, 0);
  Carry(edit, chosen);
}

LRESULT CALLBACK FieldProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_CONTEXTMENU) {
    OpenMenu(edit, lParam);
    return 0;
  }
  if (msg == WM_MENUSELECT) ShowItemHint(edit, LOWORD(wParam), HIWORD(wParam));
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(edit, &Guarded<&FieldProc>, 1);
  return DefSubclassProc(edit, msg, wParam, lParam);
}

}  // namespace

void AttachStdEditMenu(HWND edit) {
  if (edit) SetWindowSubclass(edit, &Guarded<&FieldProc>, 1, 0);
}

}  // namespace ambrel::win32
