#include "app/clipboard_feed_win32.h"

#include "app/copy_capture.h"
#include "platform/system_library_win32.h"

namespace ambrel::win32 {

void ClipboardFeed::Join(HWND window) {
  window_ = window;
  // Looked up at run time: systems before Vista lack them.
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto add = LibraryFunction<ListenerFunction>(user32, "AddClipboardFormatListener");
  const auto remove = LibraryFunction<ListenerFunction>(user32, "RemoveClipboardFormatListener");
  if (add && remove && add(window)) {
    removeListener_ = remove;
    // A listener hears only of later changes; a joining viewer is told at once.
    capture_.ClipboardChanged();
  } else {
    nextViewer_ = SetClipboardViewer(window);
  }
}

void ClipboardFeed::Leave() {
  if (!window_) return;
  if (removeListener_) {
    removeListener_(window_);
  } else {
    ChangeClipboardChain(window_, nextViewer_);
  }
  window_ = nextViewer_ = nullptr;
  removeListener_ = nullptr;
}

bool ClipboardFeed::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLIPBOARDUPDATE:
      capture_.ClipboardChanged();
      return true;
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
