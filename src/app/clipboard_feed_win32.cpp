#include "app/clipboard_feed_win32.h"

#include "app/copy_capture.h"

namespace ambrel::win32 {

void ClipboardFeed::Join(HWND window) {
  window_ = window;
  nextViewer_ = SetClipboardViewer(window);
}

void ClipboardFeed::Leave() {
  if (!window_) return;
  ChangeClipboardChain(window_, nextViewer_);
  window_ = nextViewer_ = nullptr;
}

bool ClipboardFeed::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DRAWCLIPBOARD:
      capture_.ClipboardChanged();
      // The notification goes on down the chain.
      if (nextViewer_) SendMessageA(nextViewer_, WM_DRAWCLIPBOARD, wParam, lParam);
      return true;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wParam) == nextViewer_)
        nextViewer_ = reinterpret_cast<HWND>(lParam);
      else if (nextViewer_)
        SendMessageA(nextViewer_, WM_CHANGECBCHAIN, wParam, lParam);
      return true;
    default: return false;
  }
}

}  // namespace ambrel::win32
