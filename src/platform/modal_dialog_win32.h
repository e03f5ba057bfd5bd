// The base of every modal dialog of the program. A dialog window is created
// hidden and parked outside the virtual screen, sized in dialog units of the
// dialog font, and reused. Running it modally disables its owner, counts it
// in the record of open dialogs, and gives it the same keys as every other
// dialog: Esc is Cancel, Enter the default button (OK), Tab moves, F1 opens
// the help at the dialog's context. A quit message ends the dialog as
// cancelled and is posted again for the program's own loop.
#pragma once

#include <windows.h>

#include <functional>
#include <span>

#include "platform/open_dialogs.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

// What every dialog receives from the program.
struct DialogHost {
  OpenDialogs& openDialogs;
  std::function<void(int context)> openHelp;
};

HFONT DialogFont();

// One row of a dialog's control table: what AddControls creates (visible,
// in the dialog font) and PlaceControls puts where the row says.
struct DialogControl {
  int id;
  const char* cls;
  const char* text;
  DWORD style;       // WS_CHILD | WS_VISIBLE are added
  // Dialog units from the table's origin; w 0: placed by its own rule (a
  // status bar) or by the dialog's layout as it resizes.
  int x, y, w, h;
  const char* hint = nullptr;  // shown in the dialog's status bar
  int help = 0;      // the help context of F1 on it; 0 the dialog's own
  int page = 0;      // the page of a dialog with pages
  bool expert = false;  // hidden in beginner mode
  DWORD exStyle = 0;
};

// The row of a control id; null when the table has none.
const DialogControl* FindControl(std::span<const DialogControl> table, int id);

// Moves the dialog's control to a rectangle in pixels that its layout
// computed, repainted at once: the one way a resizing layout places a
// control, also for pieces that several dialogs share.
void PlaceDialogControl(HWND dialog, int id, int left, int top, int width, int height);

// Pixels of dialog units: a horizontal unit is a quarter of the dialog
// font's average character width, a vertical unit an eighth of its height,
// so layouts grow with the font and the screen's DPI.
class DialogUnits {
 public:
  DialogUnits();
  int X(int units) const { return MulDiv(units, baseX_, 4); }
  int Y(int units) const { return MulDiv(units, baseY_, 8); }

 private:
  int baseX_ = 6, baseY_ = 12;
};

class ModalDialog : public Window {
 public:
  ModalDialog(DialogHost& host, int helpContext) : host_(host), helpContext_(helpContext) {}

  // Handles the messages waiting now, for long jobs that keep the program
  // responsive; a quit message stops it and is posted again.
  static void PumpWaiting();

 protected:
  // Creates the window hidden and parked, with a client area of the given
  // size in dialog units.
  bool CreateDialogWindow(const char* className, const char* caption, DWORD style, DWORD exStyle,
                          int widthUnits, int heightUnits);
  HWND AddControl(const char* cls, const char* text, DWORD style, int id, DWORD exStyle = 0);
  // Creates every control of the table, in its order (the tab order).
  void AddControls(std::span<const DialogControl> table);
  // Moves a row's control to its place, the table's origin at (left, top) in pixels.
  void PlaceControl(const DialogControl& row, int left, int top);
  // Moves a control to the rectangle in pixels that the dialog's layout computed.
  void PlaceControl(int id, int left, int top, int width, int height) {
    PlaceDialogControl(hwnd(), id, left, top, width, height);
  }
  // Places every row of the table that has a size, from the client area's corner.
  void PlaceControls(std::span<const DialogControl> table);

  // Centres the dialog, shows it with the focus on focus and runs it until
  // EndModal; then hides and parks it and gives the foreground back to the
  // owner. True when it ended with OK.
  bool RunModal(HWND owner, HWND focus);
  void EndModal(bool ok);

  // Counts the window as an open dialog without a loop of its own (the work
  // window, shown while a job runs inside another dialog's loop).
  void CountOpen();
  void CountClosed();

  // A dialog's own keys, before the common ones; true when it used the key.
  virtual bool PreTranslateKey(const MSG&) { return false; }
  // The help context for F1 with the focus on the given control.
  virtual int HelpContextAt(HWND) const { return helpContext_; }
  virtual void OnModalShown() {}
  virtual void OnModalEnding() {}
  void OpenHelp(int context) { if (host_.openHelp) host_.openHelp(context); }

  // Close (the title bar's button, Alt+F4) is Cancel.
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  const DialogUnits& Units() const { return units_; }
  const OpenDialogs& Record() const { return host_.openDialogs; }

 private:
  bool TranslateCommonKey(const MSG& msg);

  DialogHost& host_;
  int helpContext_;
  DialogUnits units_;
  bool running_ = false;
  bool ok_ = false;
  bool counted_ = false;
};

}  // namespace ambrel::win32
