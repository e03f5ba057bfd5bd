// The resident program under Wine: start, single instance, tray menu, and
// the recording of texts copied in notepad into the history.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "ambrel/ambrel_with_notepad.h"
#include "harness/clipboard.h"
#include "harness/notepad.h"
#include "harness/paths.h"
#include "harness/process.h"
#include "harness/temp_folder.h"
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

// A quit that arrives while a dialog is open (here the greeting of a first
// start) ends the dialog and still ends the program.
TEST(CaptureQuit, QuitDuringTheGreetingEndsTheProgram) {
  TempFolder folder;
  ASSERT_GE(folder.CopyInFrom(ExeFolder(), {"Ambrel.exe", "Tesk.dll"}), 1);
  Process ambrel = Process::Start("\"" + folder.File("Ambrel.exe") + "\"", folder.Path());
  ASSERT_NE(WaitForTopWindow("THello", kStartTimeoutMs, ambrel.Id(), "", true), nullptr);
  PostMessageA(FindTopWindow("TLogo", "", ambrel.Id()), WM_CLOSE, 0, 0);
  EXPECT_TRUE(ambrel.WaitForExit(15000));
  if (ambrel.Running()) ambrel.Terminate();
}

// A window that joins the viewer chain before Ambrel does, so that Ambrel's
// next viewer is this test: it counts the notifications passed on to it.
// Leaving, it tells the chain its successor.
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
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    next_ = SetClipboardViewer(window_);
  }
  ~ChainWitness() { Leave(); }
  void Leave() {
    if (!window_) return;
    ChangeClipboardChain(window_, next_);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  int Notifications() const { return notifications_; }
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ChainWitness*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == WM_DRAWCLIPBOARD) {
      ++self->notifications_;
      if (self->next_) SendMessageA(self->next_, msg, wParam, lParam);
      return 0;
    }
    if (self && msg == WM_CHANGECBCHAIN) {
      if (reinterpret_cast<HWND>(wParam) == self->next_)
        self->next_ = reinterpret_cast<HWND>(lParam);
      else if (self->next_)
        SendMessageA(self->next_, msg, wParam, lParam);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  HWND window_ = nullptr;
  HWND next_ = nullptr;
  int notifications_ = 0;
};

// Ambrel, first in the chain, has handled a copy once the witness hears of it.
bool WaitForNotification(const ChainWitness& witness, int before) {
  // WaitUntil dispatches this thread's messages: the witness's notification.
  return WaitUntil([&] { return witness.Notifications() > before; }, 5000);
}

// A viewer on a thread of its own that stops handling messages on Hang(), as
// a hung program does, until it is destroyed.
class HungViewer {
 public:
  HungViewer()
      : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        thread_(CreateThread(nullptr, 0, &Run, this, 0, &threadId_)) {
    WaitUntil([&] { return joined_.load(); }, 5000);
  }
  ~HungViewer() {
    SetEvent(release_);
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(release_);
  }
  bool Joined() const { return joined_; }
  bool Hang() {
    PostThreadMessageA(threadId_, kHang, 0, 0);
    return WaitUntil([&] { return hung_.load(); }, 5000);
  }

 private:
  static constexpr UINT kHang = WM_APP + 1;
  static DWORD WINAPI Run(void* self) {
    auto& viewer = *static_cast<HungViewer*>(self);
    ChainWitness witness;  // its window belongs to this thread
    viewer.joined_ = true;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == kHang) {
        viewer.hung_ = true;
        WaitForSingleObject(viewer.release_, INFINITE);
        break;
      }
      DispatchMessageA(&msg);
    }
    return 0;
  }
  HANDLE release_;
  std::atomic<bool> joined_{false}, hung_{false};
  DWORD threadId_ = 0;
  HANDLE thread_;
};

// With a hung viewer in the chain, copies are still recorded, the tray icon
// still answers and the program still ends (leaving the chain).
void ExpectRecordingGoesOn(AmbrelRun& ambrel, HungViewer& hung) {
  ASSERT_TRUE(hung.Joined());
  ASSERT_TRUE(hung.Hang());
  ASSERT_TRUE(SetClipboardText("first"));
  EXPECT_TRUE(ambrel.WaitForHistory({"first"}));
  ASSERT_TRUE(SetClipboardText("second"));
  EXPECT_TRUE(ambrel.WaitForHistory({"second", "first"}));
  ambrel.PostTray(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel.Editor()) != 0; }, 5000))
      << "the program no longer handles its tray icon";
  EXPECT_TRUE(ambrel.QuitThroughTrayMenu());
}

// Ambrel's next viewer hangs: Ambrel does not wait for it.
TEST(CaptureChain, AHungViewerAfterAmbrelHangsNeitherRecordingNorTheProgram) {
  ASSERT_TRUE(EmptyClipboardNow());
  HungViewer hung;
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  ExpectRecordingGoesOn(ambrel, hung);
}

// A viewer ahead of Ambrel hangs and never passes the notification on.
TEST(CaptureChain, AHungViewerAheadOfAmbrelDoesNotCutItOff) {
  ASSERT_TRUE(EmptyClipboardNow());
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  HungViewer hung;
  ExpectRecordingGoesOn(ambrel, hung);
}

TEST(CaptureChain, NonTextOrOversizedCopyRecordsNothingAndTheChainIsServed) {
  ASSERT_TRUE(EmptyClipboardNow());
  ChainWitness witness;
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  const int before = witness.Notifications();
  ASSERT_TRUE(SetClipboardBitmapOnly());
  EXPECT_TRUE(WaitForNotification(witness, before));
  EXPECT_TRUE(ambrel.WaitForHistory({}));
  // A text over the clip limit (4 MiB) is not recorded and stays on the clipboard.
  const std::string huge(5u << 20, 'x');
  const int beforeHuge = witness.Notifications();
  ASSERT_TRUE(SetClipboardText(huge));
  EXPECT_TRUE(WaitForNotification(witness, beforeHuge));
  EXPECT_TRUE(ambrel.WaitForHistory({}));
  EXPECT_EQ(ReadClipboardText().value_or("").size(), huge.size());
  ASSERT_TRUE(SetClipboardText("text again"));
  EXPECT_TRUE(ambrel.WaitForHistory({"text again"}));
}

TEST(CaptureChain, WithDataSaveOffNothingIsRecordedAndTheChainIsServed) {
  ASSERT_TRUE(EmptyClipboardNow());
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  ASSERT_TRUE(ambrel.QuitThroughTrayMenu());
  std::string prm = ambrel.Folder().ReadFile("Ambrel.prm");
  ASSERT_EQ(prm.size(), 2140u);
  prm[1828] = 0;  // DataSave
  ASSERT_TRUE(ambrel.Folder().WriteFile("Ambrel.prm", prm));
  ChainWitness witness;
  ASSERT_TRUE(ambrel.Start());
  const int before = witness.Notifications();
  ASSERT_TRUE(SetClipboardText("not recorded"));
  EXPECT_TRUE(WaitForNotification(witness, before));
  EXPECT_TRUE(ambrel.WaitForHistory({}));
}

TEST(CaptureChain, AViewerLeavingRightAfterAmbrelHandsItsSuccessorOn) {
  ASSERT_TRUE(EmptyClipboardNow());
  ChainWitness last;
  ChainWitness leaving;  // Ambrel's next viewer, followed by `last`
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  leaving.Leave();
  ASSERT_TRUE(ambrel.WaitForMessagesHandled());
  const int before = last.Notifications();
  ASSERT_TRUE(SetClipboardText("after the change"));
  EXPECT_TRUE(ambrel.WaitForHistory({"after the change"}));
  EXPECT_TRUE(WaitForNotification(last, before))
      << "Ambrel passes the notification to the successor of the viewer that left";
}

// Ending, Ambrel leaves the chain, so the viewer after it is not cut off.
TEST(CaptureChain, EndingAmbrelHandsTheChainToItsNextViewer) {
  ASSERT_TRUE(EmptyClipboardNow());
  ChainWitness next;
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  ASSERT_EQ(GetClipboardViewer(), ambrel.Logo());
  ASSERT_TRUE(ambrel.QuitThroughTrayMenu());
  EXPECT_EQ(GetClipboardViewer(), next.Window());
}

}  // namespace
}  // namespace ambrel::e2e
