// The hot key and the paste under Wine: Tesk.dll inside notepad catches the
// hot key, Ambrel pops its clip menu up, and the chosen clip is pasted back
// by the library running in the target's own thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "ambrel/popup_helpers.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/notepad.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/win32_programs.h"
#include "harness/window_query.h"
#include "hooklib/tesk_win32.h"
#include "hooklib/union_data.h"

namespace ambrel::e2e {
namespace {

using Texts = std::vector<std::string>;
constexpr unsigned kNoMenuMs = 1500;

class Popup : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(EmptyClipboardNow()); }
  void TearDown() override {
    notepad_.Close();
    if (HasFailure()) ADD_FAILURE() << "tree:\n" << ambrel_.DescribeTree();
  }
  void Start() {
    ASSERT_TRUE(ambrel_.Start()) << "Ambrel did not finish its start-up";
    StartNotepad();
  }
  void StartNotepad() {
    ASSERT_TRUE(notepad_.Start());
    for (const char* t : {"one", "two", "three"}) CopyInNotepad(t);
    ASSERT_TRUE(WaitUntil(
        [&] {
          const Texts h = ambrel_.HistoryCaptions();
          return h.size() >= 3 && Texts(h.begin(), h.begin() + 3) == Texts{"three", "two", "one"};
        },
        5000));
    notepad_.SetText("[");
    notepad_.MoveCaretToEnd();
  }
  void CopyInNotepad(const std::string& text) {
    notepad_.SetText(text);
    notepad_.SelectAllAndCopy();
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  // The keys pressed for real in `window`; the clip menu that opens, if any.
  HWND PressHotKey(HWND window, std::initializer_list<WORD> keys = {VK_CONTROL, VK_SHIFT, 'V'},
                   unsigned timeoutMs = 5000) {
    if (!BringToForeground(window)) return nullptr;
    PressKeys(keys);
    return WaitForPopupMenu(timeoutMs, ambrel_.Proc().Id());
  }
  HWND PressHotKey() { return PressHotKey(notepad_.Window()); }
  bool WaitForNotepadText(const std::string& expected, unsigned ms = 5000) {
    return WaitUntil([&] { return notepad_.Text() == expected; }, ms);
  }
  // Chooses the item by Down presses and the Enter character: with Ctrl held
  // the Enter key would translate to a line feed, which no menu takes.
  static void ChooseHoldingModifiers(HWND menu, int index) {
    for (int i = 0; i <= index; ++i) PostMenuKeys(menu, {VK_DOWN});
    PostMessageA(menu, WM_CHAR, '\r', 1);
  }
  std::string TreeSelection() {
    return ReadTreeSelection(FindChild(ambrel_.Editor(), "SysTreeView32"));
  }

  AmbrelRun ambrel_;
  Notepad notepad_;
};

TEST_F(Popup, ChoosingTheThirdHistoryClipPastesItAndMakesItNewest) {
  Start();
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr) << "no clip menu";
  ChooseMenuItemByIndex(menu, 2);
  EXPECT_TRUE(WaitForNotepadText("[one")) << notepad_.Text();
  EXPECT_TRUE(ambrel_.WaitForHistory({"one", "three", "two"}));
  EXPECT_FALSE(IsWindowVisible(ambrel_.Editor()));
}

TEST_F(Popup, ChoosingTheNewestClipPastesItAndLeavesTheHistory) {
  Start();
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByIndex(menu, 0);
  EXPECT_TRUE(WaitForNotepadText("[three")) << notepad_.Text();
  EXPECT_TRUE(NeverHappensWithin(
      [&] { return ambrel_.HistoryCaptions() != Texts{"three", "two", "one"}; }, 300))
      << ambrel_.DescribeTree();
}

TEST_F(Popup, TheHotKeyNeverReachesNotepadAndOtherModifiersDoNotFire) {
  Start();
  // Ctrl+Shift+V reaching notepad's edit would paste "three" there.
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr);
  DismissMenu(menu);
  ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
  EXPECT_TRUE(NeverHappensWithin([&] { return notepad_.Text() != "["; }, 500)) << notepad_.Text();

  EXPECT_EQ(PressHotKey(notepad_.Window(), {VK_SHIFT, 'V'}, kNoMenuMs), nullptr);
  EXPECT_TRUE(WaitForNotepadText("[V")) << notepad_.Text();
  EXPECT_EQ(PressHotKey(notepad_.Window(), {'V'}, kNoMenuMs), nullptr);
  EXPECT_EQ(PressHotKey(notepad_.Window(), {VK_CONTROL, VK_MENU, VK_SHIFT, 'V'}, kNoMenuMs),
            nullptr);
}

TEST_F(Popup, CtrlQuotesEveryLine) {
  Start();
  CopyInNotepad("l1\r\nl2");
  CopyInNotepad("x");
  notepad_.SetText("[");
  notepad_.MoveCaretToEnd();
  {
    HWND menu = PressHotKey();
    ASSERT_NE(menu, nullptr);
    HeldKeysIn ctrl(menu, {VK_CONTROL});
    ASSERT_TRUE(ctrl.Attached());
    ChooseHoldingModifiers(menu, 1);
    ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
    // The choice reads the held keys: keep them until it has been handled.
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  EXPECT_TRUE(WaitForNotepadText("[》l1\r\n》l2")) << notepad_.Text();
}

TEST_F(Popup, ShiftOpensTheEditorOnTheClip) {
  Start();
  {
    HWND menu = PressHotKey();
    ASSERT_NE(menu, nullptr);
    HeldKeysIn shift(menu, {VK_SHIFT});
    ASSERT_TRUE(shift.Attached());
    ChooseHoldingModifiers(menu, 1);
    ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
    // The choice reads the held keys: keep them until it has been handled.
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != FALSE; }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return TreeSelection() == "two"; }, 3000)) << TreeSelection();
  RECT rc{};
  GetWindowRect(ambrel_.Editor(), &rc);
  EXPECT_GT(rc.left, -1000) << "the editor stayed parked off-screen";
  EXPECT_EQ(notepad_.Text(), "[");
  EXPECT_EQ(ambrel_.HistoryCaptions(), (Texts{"three", "two", "one"}));
}

TEST_F(Popup, CtrlShiftMakesAHistoryClipStatic) {
  Start();
  {
    HWND menu = PressHotKey();
    ASSERT_NE(menu, nullptr);
    HeldKeysIn both(menu, {VK_CONTROL, VK_SHIFT});
    ASSERT_TRUE(both.Attached());
    ChooseHoldingModifiers(menu, 1);
    ASSERT_TRUE(WaitForPopupMenuClosed(3000, ambrel_.Proc().Id()));
    // The choice reads the held keys: keep them until it has been handled.
    ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  }
  EXPECT_TRUE(ambrel_.WaitForHistory({"three", "one"}));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != FALSE; }, 3000));
  const std::string tree = ambrel_.DescribeTree();
  const std::size_t staticRoot = tree.find("0:静的クリップデータ");
  ASSERT_NE(staticRoot, std::string::npos) << tree;
  EXPECT_EQ(tree.find("1:two", staticRoot), tree.find('\n', staticRoot) + 1) << tree;
  EXPECT_EQ(notepad_.Text(), "[");
}

TEST_F(Popup, WithoutDirectPopupTheMenuOpensAtTheMouse) {
  Start();
  MoveMouseTo({400, 300});
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr);
  RECT rc{};
  GetWindowRect(menu, &rc);
  DismissMenu(menu);
  EXPECT_NEAR(rc.left, 400, 2);
  EXPECT_NEAR(rc.top, 300, 2);
}

// Under Wine, modifiers pressed by SendInput while another process's menu is
// open do not register; the tests above therefore set them in the keyboard
// state of the menu's thread, which is what the choice reads.

// The paste methods of the settings, into notepad and into wordpad.
class PasteMethod : public Popup, public ::testing::WithParamInterface<int> {};

// Whether wordpad pastes on a real Shift+Insert at all (Wine's rich edit may
// not): the probe's text is then the first clip of the history.
bool WordpadPastesOnShiftInsert(Wordpad& wordpad) {
  SetClipboardText("probe");
  if (!BringToForeground(wordpad.Window())) return false;
  PressKeys({VK_SHIFT, VK_INSERT});
  const bool pasted = WaitUntil([&] { return wordpad.Text().rfind("probe", 0) == 0; }, 2000);
  SetWindowTextA(wordpad.Edit(), "");
  return pasted;
}

TEST_P(PasteMethod, PastesIntoNotepadAndWordpad) {
  ASSERT_TRUE(StartWithSettings(ambrel_, [](app::TParamRecord& r) { r.PasteMethod = GetParam(); }));
  Wordpad wordpad;
  ASSERT_TRUE(wordpad.Start());
  const bool wordpadCanPaste = GetParam() != 2 || WordpadPastesOnShiftInsert(wordpad);
  StartNotepad();
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByIndex(menu, 1);
  EXPECT_TRUE(WaitForNotepadText("[two")) << notepad_.Text();

  menu = PressHotKey(wordpad.Window());
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByIndex(menu, 1);  // "three": "two" is the newest now
  EXPECT_TRUE(WaitUntil(
      [&] {
        const Texts h = ambrel_.HistoryCaptions();
        return !h.empty() && h.front() == "three";
      },
      5000));
  if (wordpadCanPaste) {
    EXPECT_TRUE(WaitUntil([&] { return wordpad.Text().rfind("three", 0) == 0; }, 5000))
        << wordpad.Text();
  } else {
    std::printf("wordpad takes no Shift+Insert here; its paste is not checked\n");
  }
  wordpad.Close();
}

// A 32-bit application: the companion's hooks (Tesk32.dll) catch the hot key
// there and take the paste request.
bool CompanionHooksSet() {
  const HANDLE served = OpenEventA(SYNCHRONIZE, FALSE, hooklib::kCompanionHooksName);
  if (served) CloseHandle(served);
  return served != nullptr;
}

TEST_P(PasteMethod, PastesIntoA32BitNotepadThroughTheCompanion) {
  AMBREL_SKIP_WITHOUT_WIN32_PROGRAMS();
  ambrel_.WithCompanion();
  ASSERT_TRUE(StartWithSettings(ambrel_, [](app::TParamRecord& r) { r.PasteMethod = GetParam(); }));
  ASSERT_TRUE(WaitUntil(CompanionHooksSet, 10000)) << "the companion did not set its hooks";
  notepad_ = Notepad("syswow64\\notepad.exe");
  StartNotepad();
  BOOL wow = FALSE;
  ASSERT_TRUE(IsWow64Process(notepad_.Proc().Handle(), &wow) && wow) << "not a 32-bit notepad";
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr) << "no clip menu from the 32-bit window";
  ChooseMenuItemByIndex(menu, 1);
  EXPECT_TRUE(WaitForNotepadText("[two")) << notepad_.Text();
  EXPECT_EQ(FindTopWindow("#32770", "", ambrel_.Proc().Id()), nullptr) << "a refusal box";
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_FALSE(CompanionHooksSet()) << "the companion outlived the program";
}

std::string MethodName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[] = {"WmPaste", "CtrlV", "ShiftInsert"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Methods, PasteMethod, ::testing::Values(0, 1, 2), MethodName);

TEST_F(Popup, MenuLinkAddsTheItemToNotepadsEditMenu) {
  ASSERT_TRUE(StartWithSettings(ambrel_, [](app::TParamRecord& r) { r.MenuLink = 1; }));
  StartNotepad();
  ASSERT_TRUE(BringToForeground(notepad_.Window()));
  PressKeys({VK_MENU, 'E'});
  HWND editMenu = WaitForPopupMenu(3000, notepad_.Proc().Id());
  ASSERT_NE(editMenu, nullptr) << "notepad's Edit menu did not open";
  // Up from the first item wraps round to the last: the linked item.
  PostMenuKeys(editMenu, {VK_UP, VK_RETURN});
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr) << "choosing the linked item did not pop the clip menu up";
  ChooseMenuItemByIndex(menu, 2);
  EXPECT_TRUE(WaitForNotepadText("[one")) << notepad_.Text();
}

TEST_F(Popup, EditLinkTurnsTheEditControlsPasteIntoThePopup) {
  ASSERT_TRUE(StartWithSettings(ambrel_, [](app::TParamRecord& r) {
    r.MenuLink = 1;
    r.EditLink = 1;
  }));
  StartNotepad();
  // Undo, Cut, Copy and Paste all enabled, so Paste is the fourth item.
  notepad_.TypeText("x");
  // Typed keys arrive later than a sent selection: the text first.
  ASSERT_TRUE(WaitForNotepadText("[x")) << notepad_.Text();
  SendMessageA(notepad_.Edit(), EM_SETSEL, 0, -1);
  ASSERT_TRUE(BringToForeground(notepad_.Window()));
  RECT rc{};
  GetWindowRect(notepad_.Edit(), &rc);
  PostMessageA(notepad_.Edit(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(notepad_.Edit()),
               MAKELPARAM(rc.left + 40, rc.top + 40));
  HWND context = WaitForPopupMenu(3000, notepad_.Proc().Id());
  ASSERT_NE(context, nullptr) << "no context menu";
  ChooseMenuItemByIndex(context, 3);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr) << "Paste did not pop the clip menu up";
  DismissMenu(menu);
  EXPECT_TRUE(WaitUntil([&] { return notepad_.Text() == "[x"; }, 3000)) << notepad_.Text();
  EXPECT_TRUE(NeverHappensWithin([&] { return notepad_.Text() != "[x"; }, 300))
      << "Paste pasted instead: " << notepad_.Text();
}

TEST_F(Popup, NoMenuWhileAnErrorBoxIsOpenAndAGoneTargetIsReported) {
  Start();
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr);
  HWND target = notepad_.Window();
  notepad_.Close();
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(target); }, 5000));
  ChooseMenuItemByIndex(menu, 1);
  HWND box = WaitForTopWindow("#32770", 5000, ambrel_.Proc().Id());
  ASSERT_NE(box, nullptr) << "a paste into a closed window went unreported";
  EXPECT_EQ(ReadClipboardText(), "two");

  // The box counts as an open dialog: the hot key gives no menu.
  ASSERT_TRUE(notepad_.Start());
  EXPECT_EQ(PressHotKey(notepad_.Window(), {VK_CONTROL, VK_SHIFT, 'V'}, kNoMenuMs), nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, 3000));
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  menu = PressHotKey();
  ASSERT_NE(menu, nullptr) << "no menu after the box was closed";
  DismissMenu(menu);
}

// Without the companion no hook library is inside a 32-bit process: the
// paste is refused with a box, and the chosen clip stays on the clipboard.
TEST_F(Popup, WithoutTheCompanionAPasteIntoA32BitWindowIsRefused) {
  AMBREL_SKIP_WITHOUT_WIN32_PROGRAMS();
  Start();
  Notepad notepad32("syswow64\\notepad.exe");
  ASSERT_TRUE(notepad32.Start());
  ASSERT_TRUE(BringToForeground(notepad32.Window()));
  ambrel_.PostTray(WM_MOUSEMOVE);  // the tray menu's target: the foreground window
  ambrel_.PostTray(WM_LBUTTONDOWN);
  HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByIndex(menu, 1);
  std::string text;
  HWND box = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        box = FindTopWindow("#32770", "", ambrel_.Proc().Id());
        text.clear();
        if (box) for (const ChildWindow& c : ChildWindows(box)) text += c.text;
        return text.find("このアプリケーションには自動で貼り付けできません。") != std::string::npos;
      },
      5000))
      << text;
  EXPECT_EQ(ReadClipboardText(), "two");
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  notepad32.Close();
}

TEST_F(Popup, NoMenuOverTheProgramsOwnWindow) {
  Start();
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != 0; }, 5000));
  ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
  PressKeys({VK_CONTROL, VK_SHIFT, 'V'});
  EXPECT_EQ(WaitForPopupMenu(kNoMenuMs, ambrel_.Proc().Id()), nullptr);
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr) << "no menu over notepad afterwards";
  DismissMenu(menu);
}

TEST_F(Popup, SecondSetHookReturnsZeroAndTheLibraryAnswers) {
  Start();
  HMODULE tesk = LoadLibraryA(ambrel_.Folder().File("Tesk.dll").c_str());
  ASSERT_NE(tesk, nullptr);
  auto setHook = reinterpret_cast<decltype(&SetHook)>(
      reinterpret_cast<void*>(GetProcAddress(tesk, "SetHook")));
  auto version = reinterpret_cast<decltype(&GetDllVersion)>(
      reinterpret_cast<void*>(GetProcAddress(tesk, "GetDllVersion")));
  auto pasteMsgNo = reinterpret_cast<decltype(&GetPasteMsgNo)>(
      reinterpret_cast<void*>(GetProcAddress(tesk, "GetPasteMsgNo")));
  ASSERT_TRUE(setHook && version && pasteMsgNo && GetProcAddress(tesk, "SetMenuInfo"));
  EXPECT_EQ(setHook(GetDesktopWindow()), 0u);
  EXPECT_EQ(version(), 100);
  EXPECT_EQ(pasteMsgNo(), RegisterWindowMessageA("Ambrel PasteMessage"));
  // The program's hooks are still the ones at work.
  HWND menu = PressHotKey();
  ASSERT_NE(menu, nullptr);
  DismissMenu(menu);
  FreeLibrary(tesk);
}

TEST_F(Popup, AfterQuittingTheHooksAreGoneAndNotepadWorksOn) {
  Start();
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  SetClipboardText("pasted");
  ASSERT_TRUE(BringToForeground(notepad_.Window()));
  PressKeys({VK_CONTROL, VK_SHIFT, 'V'});
  EXPECT_TRUE(WaitForNotepadText("[pasted")) << notepad_.Text();
  notepad_.TypeText("!");
  EXPECT_TRUE(WaitForNotepadText("[pasted!")) << notepad_.Text();
}

}  // namespace
}  // namespace ambrel::e2e
