// How the program hears that the clipboard changed: the clipboard viewer
// chain, which the resident window joins at start-up and leaves at shutdown.
// Everything that knows the mechanism is here; what a change does is
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

  // window receives the chain's messages from now on and routes them here.
  void Join(HWND window);
  void Leave();
  // Takes the chain's messages to the joined window; false for any other.
  bool Route(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  app::ClipboardCapture& capture_;
  HWND window_ = nullptr;
  HWND nextViewer_ = nullptr;
};

}  // namespace ambrel::win32
