// The one record of the program's open modal dialogs and of whether start-up
// has finished. Clicks on the tray icon, the hot key and the clip menu ask
// Busy() before they act: while a dialog of the program (or a system dialog
// or message box it opened) is open, they only play the fault sound.
#pragma once

#include <cstdint>
#include <vector>

namespace ambrel {

class OpenDialogs {
 public:
  // An opaque window handle, so that the record stays portable.
  using WindowId = std::uintptr_t;

  // A dialog has opened; nested dialogs each count. window may be 0 when the
  // dialog's window is not known yet.
  void Opened(WindowId window) { open_.push_back(window); }
  // The dialog opened last has closed (or the given one, wherever it stands).
  void Closed(WindowId window);

  // Start-up ends once, whatever dialogs or boxes it showed on the way.
  void FinishStartup() { started_ = true; }
  bool StartupFinished() const { return started_; }

  int Count() const { return static_cast<int>(open_.size()); }
  bool Busy() const { return !started_ || !open_.empty(); }
  // The innermost open dialog's window, 0 when none is open or it is unknown.
  WindowId Top() const { return open_.empty() ? 0 : open_.back(); }

  // Counts one dialog for the lifetime of the scope.
  class Scope {
   public:
    Scope(OpenDialogs& record, WindowId window = 0) : record_(record), window_(window) {
      record_.Opened(window_);
    }
    ~Scope() { record_.Closed(window_); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    // The window became known after the dialog opened (a system dialog).
    void SetWindow(WindowId window);

   private:
    OpenDialogs& record_;
    WindowId window_;
  };

 private:
  std::vector<WindowId> open_;
  bool started_ = false;
};

}  // namespace ambrel
