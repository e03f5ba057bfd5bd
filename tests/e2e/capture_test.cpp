// The resident program under Wine: start, single instance, tray menu, and
// the recording of texts copied in notepad into the history.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ambrel/ambrel_with_notepad.h"
#include "harness/clipboard.h"
#include "harness/notepad.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

using Texts = std::vector<std::string>;

using Capture = AmbrelWithNotepad;

TEST_F(Capture, CopiesBecomeHistoryClipsNewestFirst) {
  EXPECT_TRUE(ambrel_.WaitForHistory({}));
  CopyInNotepad("first");
  CopyInNotepad("二番目のテキスト");
  CopyInNotepad("line1\r\nline2\tend & more");
  EXPECT_TRUE(ambrel_.WaitForHistory({"line1⇔line2⇒end && more", "二番目のテキスト", "first"}));
}

TEST_F(Capture, HistoryRulesApplyToCopies) {
  CopyInNotepad("a");
  CopyInNotepad("a");  // the same text again is not recorded
  ASSERT_TRUE(ambrel_.WaitForHistory({"a"}));
  for (const char* t : {"b", "c", "d", "e"}) CopyInNotepad(t);
  ASSERT_TRUE(ambrel_.WaitForHistory({"e", "d", "c", "b", "a"}));
  CopyInNotepad("c");  // an older copy moves to the top
  ASSERT_TRUE(ambrel_.WaitForHistory({"c", "e", "d", "b", "a"}));
  CopyInNotepad("f");  // the sixth drops the oldest
  EXPECT_TRUE(ambrel_.WaitForHistory({"f", "c", "e", "d", "b"}));
}

TEST_F(Capture, CopiesMarkedAsPrivateAreNotRecorded) {
  CopyInNotepad("visible");
  for (ClipboardMark mark : {ClipboardMark::ExcludeFromMonitor, ClipboardMark::ViewerIgnore,
                             ClipboardMark::NotForHistory}) {
    ASSERT_TRUE(SetClipboardTextMarked("secret password", mark));
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  EXPECT_TRUE(ambrel_.WaitForHistory({"visible"}));
  // A CanIncludeInClipboardHistory that allows it does not stop recording.
  CopyInNotepad("after");
  EXPECT_TRUE(ambrel_.WaitForHistory({"after", "visible"}));
}

TEST_F(Capture, SecondCopyShowsTheMessageAndTheFirstKeepsRunning) {
  Process second = ambrel_.StartSecondCopy();
  ASSERT_TRUE(second.Started());
  HWND box = WaitForTopWindow("#32770", 10000, second.Id());
  ASSERT_NE(box, nullptr) << "no message box from the second copy";
  // The box exists a moment before its text is in place.
  std::string text;
  EXPECT_TRUE(WaitUntil(
      [&] {
        text.clear();
        for (const ChildWindow& child : ChildWindows(box)) text += child.text + "\n";
        return text.find("Ambrel.exeはすでに実行されています。\r\n"
                         "タスクトレーアイコンをクリックして起動してください。") != std::string::npos;
      },
      5000))
      << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit(10000));
  EXPECT_TRUE(ambrel_.Proc().Running());
  CopyInNotepad("still recording");
  EXPECT_TRUE(ambrel_.WaitForHistory({"still recording"}));
}

TEST_F(Capture, QuitsCleanlyThroughTheTrayMenu) {
  CopyInNotepad("x");
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_EQ(ambrel_.Proc().ExitCode().value_or(99), 0u);
  // The viewer chain was left: copies go on working for everyone.
  CopyInNotepad("after exit");
  EXPECT_EQ(ReadClipboardText().value_or(""), "after exit");
}

// A window that joins the viewer chain before Ambrel does, so that Ambrel's
// next viewer is this test: it counts the notifications passed on to it.
class ChainWitness {
 public:
  ChainWitness() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "AmbrelE2EChainWitness";
    RegisterClassA(&wc);
    window_ = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            wc.hInstance, nullptr);
    self_ = this;
    next_ = SetClipboardViewer(window_);
  }
  ~ChainWitness() {
    ChangeClipboardChain(window_, next_);
    DestroyWindow(window_);
    self_ = nullptr;
  }
  int Notifications() const { return notifications_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (self_ && msg == WM_DRAWCLIPBOARD) {
      ++self_->notifications_;
      if (self_->next_) SendMessageA(self_->next_, msg, wParam, lParam);
      return 0;
    }
    if (self_ && msg == WM_CHANGECBCHAIN) {
      if (reinterpret_cast<HWND>(wParam) == self_->next_)
        self_->next_ = reinterpret_cast<HWND>(lParam);
      else if (self_->next_)
        SendMessageA(self_->next_, msg, wParam, lParam);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  static inline ChainWitness* self_ = nullptr;
  HWND window_ = nullptr;
  HWND next_ = nullptr;
  int notifications_ = 0;
};

TEST(CaptureChain, NonTextCopyRecordsNothingAndTheChainIsServed) {
  ASSERT_TRUE(EmptyClipboardNow());
  ChainWitness witness;
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  const int before = witness.Notifications();
  ASSERT_TRUE(SetClipboardBitmapOnly());
  // WaitUntil dispatches this thread's messages: the witness's notification.
  EXPECT_TRUE(WaitUntil([&] { return witness.Notifications() > before; }, 5000));
  EXPECT_TRUE(ambrel.WaitForHistory({}));
  ASSERT_TRUE(SetClipboardText("text again"));
  EXPECT_TRUE(ambrel.WaitForHistory({"text again"}));
}

}  // namespace
}  // namespace ambrel::e2e
