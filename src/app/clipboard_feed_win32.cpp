#include "app/clipboard_feed_win32.h"

#include <memory>

#include "app/copy_capture.h"
#include "platform/handles_win32.h"
#include "platform/system_library_win32.h"

namespace ambrel::win32 {
namespace {

// Leaving the chain sends WM_CHANGECBCHAIN to its first viewer and waits for
// the answer: a hung viewer ahead would keep the program from ending. So it
// runs on a thread of its own, waited for this long at most; past that the
// program ends all the same and the thread with it.
constexpr DWORD kLeaveChainTimeoutMs = 1000;

struct ChainPlace {
  HWND window;
  HWND next;
};

DWORD WINAPI LeaveChainThread(void* param) {
  const std::unique_ptr<ChainPlace> place(static_cast<ChainPlace*>(param));
  ChangeClipboardChain(place->window, place->next);
  return 0;
}

void LeaveChain(HWND window, HWND next) {
  auto place = std::make_unique<ChainPlace>(ChainPlace{window, next});
  const KernelHandle thread(CreateThread(nullptr, 0, &LeaveChainThread, place.get(), 0, nullptr));
  if (!thread) {
    ChangeClipboardChain(window, next);
    return;
  }
  place.release();  // the thread's now, even when it outlives the wait
  WaitForSingleObject(thread.get(), kLeaveChainTimeoutMs);
}

}  // namespace

void ClipboardFeed::Join(HWND window) {
  window_ = window;
  // Looked up at run time: systems before Vista lack them.
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto add = LibraryFunction<ListenerFunction>(user32, "AddClipboardFormatListener");
  const auto remove = LibraryFunction<ListenerFunction>(user32, "RemoveClipboardFormatListener");
  if (add && remove && add(window)) removeListener_ = remove;
  // Joining, the window is told at once and so takes the clipboard as it stands.
  nextViewer_ = SetClipboardViewer(window);
}

void ClipboardFeed::Leave() {
  if (!window_) return;
  if (removeListener_) removeListener_(window_);
  LeaveChain(window_, nextViewer_);
  window_ = nextViewer_ = nullptr;
  removeListener_ = nullptr;
}

void ClipboardFeed::Changed() {
  // Both the chain and the listener tell of each change; the first to come
  // reads it. A system without sequence numbers answers 0: then every
  // notification reads.
  const DWORD sequence = GetClipboardSequenceNumber();
  if (sequence != 0 && sequence == lastHeard_) return;
  lastHeard_ = sequence;
  capture_.ClipboardChanged();
}

bool ClipboardFeed::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLIPBOARDUPDATE:
      Changed();
      return true;
    case WM_DRAWCLIPBOARD:
      Changed();
      // Passed on without waiting: a hung next viewer cannot hang the program.
      if (nextViewer_) SendNotifyMessageA(nextViewer_, WM_DRAWCLIPBOARD, wParam, lParam);
      return true;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wParam) == nextViewer_)
        nextViewer_ = reinterpret_cast<HWND>(lParam);
      else if (nextViewer_)
        SendNotifyMessageA(nextViewer_, WM_CHANGECBCHAIN, wParam, lParam);
      return true;
    default: return false;
  }
}

}  // namespace ambrel::win32
