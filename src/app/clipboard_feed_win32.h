// How the program hears that the clipboard changed. Where the system has
// clipboard format listeners (Windows Vista and later, and Wine), the
// resident window is one: the system posts WM_CLIPBOARDUPDATE and waits for
// nobody. Elsewhere it joins the clipboard viewer chain, where every viewer
// passes the notification on with SendMessage, so that a hung viewer after
// it would hang the program and one that leaves the chain badly would cut it
// off. Everything that knows the mechanism is here; what a change does is
// ClipboardCapture's.
#pragma once

#include <windows.h>

namespace ambrel::app {
class ClipboardCapture;
}

namespace ambrel::win32 {

class ClipboardFeed {
 public:
  explicit ClipboardFeed(app::ClipboardCapture& capture) : capture_(capture) {}
  ClipboardFeed(const ClipboardFeed&) = delete;
  ClipboardFeed& operator=(const ClipboardFeed&) = delete;

  // window receives the feed's messages from now on and routes them here.
  // The clipboard as it stands is taken at once, as the chain does on joining.
  void Join(HWND window);
  void Leave();
  // Takes the feed's messages to the joined window; false for any other.
  bool Route(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  using ListenerFunction = BOOL(WINAPI*)(HWND);

  app::ClipboardCapture& capture_;
  HWND window_ = nullptr;
  // Set while the window is a format listener; otherwise it is in the chain.
  ListenerFunction removeListener_ = nullptr;
  HWND nextViewer_ = nullptr;
};

}  // namespace ambrel::win32
