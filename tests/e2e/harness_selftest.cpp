// Tests of the end-to-end harness itself, against Wine's own programs and
// the fixture program built beside the tests. When one of these fails, the
// environment (prefix, display, code page) is broken, not the product.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/notepad.h"
#include "harness/paths.h"
#include "harness/popup_menu.h"
#include "harness/process.h"
#include "harness/remote_controls.h"
#include "harness/temp_folder.h"
#include "harness/tray.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

constexpr unsigned kStartTimeoutMs = 15000;
constexpr UINT kFixtureOpenMenu = WM_APP + 1;
constexpr UINT kFixtureAddTray = WM_APP + 2;

// The fixture program with its main window found.
class HarnessFixtureProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(BesideExe("e2e_fixture.exe"))) << "build the e2e_fixture target";
    process_ = Process::Start(Quoted(BesideExe("e2e_fixture.exe")));
    ASSERT_TRUE(process_.Started()) << "error " << process_.StartError();
    window_ = WaitForTopWindow("AmbrelE2EFixture", kStartTimeoutMs, process_.Id(), "", true);
    ASSERT_NE(window_, nullptr);
  }
  HWND Control(const char* className) const { return FindChild(window_, className); }
  bool TitleBecomes(const std::string& title, unsigned timeoutMs = 5000) const {
    return WaitUntil([&] { return WindowText(window_) == title; }, timeoutMs);
  }

  Process process_;
  HWND window_ = nullptr;
};

TEST(HarnessEnvironment, AnsiCodePageIsJapanese) {
  EXPECT_EQ(GetACP(), 932u) << "run under scripts/wine_env.sh (LANG=ja_JP.UTF-8)";
  // The sources are compiled to CP932: the harness compares these bytes.
  EXPECT_EQ(std::string("表示"), std::string("\x95\x5c\x8e\xa6"));
}

TEST(HarnessProcess, RunsInTheGivenFolderAndReportsTheExitCode) {
  TempFolder folder;
  ASSERT_TRUE(folder.Valid());
  Process p = Process::Start("cmd.exe /c cd > where.txt & exit 7", folder.Path());
  ASSERT_TRUE(p.Started()) << p.StartError();
  EXPECT_FALSE(p.ExitCode().has_value() && p.Running());
  ASSERT_TRUE(p.WaitForExit(kStartTimeoutMs));
  ASSERT_TRUE(p.ExitCode().has_value());
  EXPECT_EQ(*p.ExitCode(), 7u);
  std::string where = folder.ReadFile("where.txt");
  while (!where.empty() && (where.back() == '\n' || where.back() == '\r' || where.back() == ' ')) where.pop_back();
  EXPECT_EQ(lstrcmpiA(where.c_str(), folder.Path().c_str()), 0) << where << " vs " << folder.Path();
}

TEST(HarnessProcess, MissingProgramDoesNotStart) {
  Process p = Process::Start("\"C:\\no\\such\\program.exe\"");
  EXPECT_FALSE(p.Started());
  EXPECT_NE(p.StartError(), 0u);
  EXPECT_FALSE(p.Running());
  EXPECT_FALSE(p.WaitForExit(10));
  EXPECT_FALSE(p.ExitCode().has_value());
  EXPECT_EQ(p.WaitForWindow("Notepad", 10), nullptr);
}

TEST(HarnessProcess, TerminateEndsAProgramAndItsWindow) {
  Process p = Process::Start(Quoted(WindowsProgram("notepad.exe")));
  ASSERT_TRUE(p.Started());
  HWND window = p.WaitForWindow("Notepad", kStartTimeoutMs);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ProcessOf(window), p.Id());
  EXPECT_FALSE(p.ExitCode().has_value());
  p.Terminate(3);
  EXPECT_FALSE(p.Running());
  ASSERT_TRUE(p.ExitCode().has_value());
  EXPECT_EQ(*p.ExitCode(), 3u);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 5000));
}

TEST(HarnessProcess, DestructorEndsARunningProgram) {
  HANDLE handle = nullptr;
  {
    Process p = Process::Start(Quoted(WindowsProgram("notepad.exe")));
    ASSERT_TRUE(p.Started());
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), p.Handle(), GetCurrentProcess(), &handle, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
  }
  EXPECT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
  CloseHandle(handle);
}

TEST(HarnessTempFolder, CopiesPresentFilesAndRemovesEverythingAfterwards) {
  std::string path;
  {
    TempFolder folder("ambrel-selftest");
    ASSERT_TRUE(folder.Valid());
    path = folder.Path();
    EXPECT_EQ(folder.CopyInFrom(ExeFolder(), {"e2e_fixture.exe", "NoSuchFile.dll"}), 1);
    EXPECT_TRUE(folder.Exists("e2e_fixture.exe"));
    EXPECT_FALSE(folder.Exists("NoSuchFile.dll"));
    EXPECT_TRUE(folder.CopyIn(BesideExe("e2e_fixture.exe"), "renamed.exe"));
    EXPECT_TRUE(folder.WriteFile("data.bin", std::string("a\0b\r\n", 5)));
    EXPECT_EQ(folder.ReadFile("data.bin"), std::string("a\0b\r\n", 5));
    EXPECT_EQ(folder.ReadFile("missing.bin"), "");
    ASSERT_TRUE(CreateDirectoryA(folder.File("sub").c_str(), nullptr));
    TempFolder other("ambrel-selftest");
    EXPECT_NE(other.Path(), folder.Path());
  }
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(HarnessTempFolder, RemovesAFolderWhoseProgramJustEnded) {
  std::string path;
  {
    TempFolder folder;
    path = folder.Path();
    ASSERT_TRUE(folder.CopyIn(BesideExe("e2e_fixture.exe")));
    Process p = Process::Start(Quoted(folder.File("e2e_fixture.exe")), folder.Path());
    ASSERT_NE(p.WaitForWindow("AmbrelE2EFixture", kStartTimeoutMs), nullptr);
  }  // the process ends first (declared last), then the folder goes
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(HarnessWait, AnswersAtOnceOrAfterTheTimeout) {
  int calls = 0;
  EXPECT_TRUE(WaitUntil([&] { return ++calls == 3; }, 5000, 1));
  EXPECT_EQ(calls, 3);
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(WaitUntil([] { return false; }, 200));
  const ULONGLONG took = GetTickCount64() - start;
  EXPECT_GE(took, 190u);
  EXPECT_LT(took, 2000u);
}

TEST_F(HarnessFixtureProgram, WindowFindsTheWindowAndListsItsControls) {
  EXPECT_EQ(WindowText(window_), "E2E Fixture");
  EXPECT_EQ(ClassNameOf(window_), "AmbrelE2EFixture");
  EXPECT_EQ(FindTopWindow("AmbrelE2EFixture", "E2E Fixture", process_.Id()), window_);
  EXPECT_EQ(FindTopWindow("AmbrelE2EFixture", "Other title"), nullptr);
  EXPECT_EQ(FindTopWindow("ambrele2efixture", "", process_.Id()), window_) << "classes ignore case";
  const auto children = ChildWindows(window_);
  std::vector<std::string> classes;
  for (const auto& c : children) classes.push_back(c.className);
  EXPECT_EQ(classes, (std::vector<std::string>{"SysTreeView32", "SysTabControl32", "RichEdit20A"}))
      << DescribeChildren(window_);
  EXPECT_EQ(children.at(2).controlId, 3);
  EXPECT_EQ(WindowText(Control("RichEdit20A")), "一行目 first\r\n二行目 ソース表示");
  EXPECT_EQ(FindChild(window_, "Button"), nullptr);
}

TEST(HarnessWindow, WaitingForAMissingWindowTimesOut) {
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(WaitForTopWindow("NoSuchClassAnywhere", 300), nullptr);
  EXPECT_GE(GetTickCount64() - start, 290u);
}

TEST(HarnessClipboard, TextRoundTripsIncludingJapanese) {
  const std::string text = "表示 ソース\r\nﾒﾆｭｰ line2";
  ASSERT_TRUE(SetClipboardText(text));
  EXPECT_EQ(ReadClipboardText(), text);
  ASSERT_TRUE(SetClipboardText(""));
  EXPECT_EQ(ReadClipboardText(), "");
}

TEST(HarnessClipboard, NonTextDataLeavesNoText) {
  ASSERT_TRUE(SetClipboardBitmapOnly());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_FALSE(ReadClipboardText().has_value());
  ASSERT_TRUE(SetClipboardPrivateOnly("Ambrel E2E Private", "xyz"));
  EXPECT_TRUE(ClipboardHasFormat("Ambrel E2E Private"));
  EXPECT_FALSE(ReadClipboardText().has_value());
  ASSERT_TRUE(EmptyClipboardNow());
  EXPECT_FALSE(ClipboardHasFormat("Ambrel E2E Private"));
}

TEST(HarnessClipboard, MarkedTextCarriesItsMark) {
  for (auto mark : {ClipboardMark::ExcludeFromMonitor, ClipboardMark::ViewerIgnore, ClipboardMark::NotForHistory}) {
    SCOPED_TRACE(ClipboardMarkFormatName(mark));
    ASSERT_TRUE(SetClipboardTextMarked("secret 秘密", mark));
    EXPECT_TRUE(ClipboardHasFormat(ClipboardMarkFormatName(mark)));
    EXPECT_EQ(ReadClipboardText(), "secret 秘密");
  }
  ASSERT_TRUE(OpenClipboardRetry());
  HANDLE data = GetClipboardData(RegisterClipboardFormatA("CanIncludeInClipboardHistory"));
  ASSERT_NE(data, nullptr);
  ASSERT_GE(GlobalSize(data), sizeof(DWORD));
  EXPECT_EQ(*static_cast<const DWORD*>(GlobalLock(data)), 0u);
  GlobalUnlock(data);
  CloseClipboard();
  ASSERT_TRUE(SetClipboardText("plain"));
  EXPECT_FALSE(ClipboardHasFormat("CanIncludeInClipboardHistory"));
}

TEST(HarnessClipboard, SequenceNumberMovesOnEveryWrite) {
  const DWORD before = ClipboardSequence();
  ASSERT_TRUE(SetClipboardText("one"));
  const DWORD middle = ClipboardSequence();
  EXPECT_NE(middle, before);
  ASSERT_TRUE(SetClipboardText("one"));
  EXPECT_NE(ClipboardSequence(), middle);
}

class HarnessNotepad : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(notepad_.Start()) << DescribeWindows(FindTopWindows("Notepad")); }
  void TearDown() override { notepad_.Close(); }
  Notepad notepad_;
};

TEST_F(HarnessNotepad, TypesDoubleByteTextByteByByte) {
  notepad_.TypeText("abc 表示ソース ﾒﾆｭｰ");
  EXPECT_TRUE(WaitUntil([&] { return notepad_.Text() == "abc 表示ソース ﾒﾆｭｰ"; }, 3000)) << notepad_.Text();
  notepad_.SetText("replaced\r\n二行");
  EXPECT_EQ(notepad_.Text(), "replaced\r\n二行");
}

TEST_F(HarnessNotepad, CopiesAndPastesByMessages) {
  ASSERT_TRUE(SetClipboardText("stale"));
  notepad_.SetText("コピー copied");
  notepad_.SelectAllAndCopy();
  EXPECT_TRUE(WaitUntil([] { return ReadClipboardText() == "コピー copied"; }, 3000)) << *ReadClipboardText();
  ASSERT_TRUE(SetClipboardText(" + 貼付"));
  notepad_.MoveCaretToEnd();
  notepad_.Paste();
  EXPECT_TRUE(WaitUntil([&] { return notepad_.Text() == "コピー copied + 貼付"; }, 3000)) << notepad_.Text();
}

TEST_F(HarnessNotepad, CopiesAndPastesByRealKeystrokes) {
  ASSERT_TRUE(SetClipboardText("stale"));
  notepad_.SetText("keys キー");
  ASSERT_TRUE(notepad_.KeySelectAllAndCopy()) << "foreground is " << DescribeWindows({GetForegroundWindow()});
  EXPECT_TRUE(WaitUntil([] { return ReadClipboardText() == "keys キー"; }, 3000)) << *ReadClipboardText();
  ASSERT_TRUE(SetClipboardText("!"));
  ASSERT_TRUE(notepad_.KeyPaste());
  EXPECT_TRUE(WaitUntil([&] { return notepad_.Text() == "keys キー!"; }, 3000)) << notepad_.Text();
}

TEST_F(HarnessFixtureProgram, RemoteReadsTreeItemsInPreOrder) {
  const std::vector<TreeItemText> expected{{0, "履歴"},  {1, "first clip"}, {1, "二番目の表示"},
                                           {2, "孫"},    {0, "定型文"},     {1, "ソース"}};
  EXPECT_EQ(ReadTreeView(Control("SysTreeView32")), expected);
  EXPECT_EQ(ReadTreeSelection(Control("SysTreeView32")), "二番目の表示");
}

TEST_F(HarnessFixtureProgram, RemoteReadsTabCaptionsAndSelection) {
  EXPECT_EQ(ReadTabCaptions(Control("SysTabControl32")), (std::vector<std::string>{"表示", "Tab Two", "ﾒﾆｭｰ"}));
  EXPECT_EQ(ReadTabSelection(Control("SysTabControl32")), 1);
}

TEST_F(HarnessFixtureProgram, RemoteReadsRichEditText) {
  HWND rich = Control("RichEdit20A");
  EXPECT_EQ(ReadRichEditText(rich), "一行目 first\r\n二行目 ソース表示");
  EXPECT_EQ(ReadRichEditText(rich, false), "一行目 first\r二行目 ソース表示");
}

TEST_F(HarnessFixtureProgram, RemoteAnswersEmptyForTheWrongControl) {
  EXPECT_TRUE(ReadTreeView(Control("SysTabControl32")).empty());
  EXPECT_TRUE(ReadTabCaptions(Control("SysTreeView32")).empty());
  EXPECT_TRUE(ReadTreeView(nullptr).empty());
}

TEST(HarnessRemote, ReadsRegeditsTree) {
  Process regedit = Process::Start(Quoted(WindowsProgram("regedit.exe")));
  ASSERT_TRUE(regedit.Started());
  HWND window = regedit.WaitForWindow("RegEdit_RegEdit", kStartTimeoutMs);
  ASSERT_NE(window, nullptr) << DescribeWindows(FindTopWindows("", "", regedit.Id()));
  HWND tree = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (tree = FindChild(window, "SysTreeView32")) != nullptr; }, 5000));
  std::vector<TreeItemText> items;
  ASSERT_TRUE(WaitUntil([&] { return (items = ReadTreeView(tree)).size() >= 6; }, 5000));
  EXPECT_EQ(items[0].depth, 0);
  std::vector<std::string> hives;
  for (const auto& item : items)
    if (item.depth == 1) hives.push_back(item.text);
  EXPECT_EQ(hives, (std::vector<std::string>{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                             "HKEY_USERS", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"}));
}

TEST_F(HarnessFixtureProgram, PopupMenuChoosesByIndexSkippingSeparators) {
  PostMessageA(window_, kFixtureOpenMenu, 0, 0);
  HWND menu = WaitForPopupMenu(5000, process_.Id());
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByIndex(menu, 1);
  EXPECT_TRUE(TitleBecomes("chosen=102")) << WindowText(window_);
  EXPECT_TRUE(WaitForPopupMenuClosed(3000, process_.Id()));
}

TEST_F(HarnessFixtureProgram, PopupMenuChoosesByMnemonic) {
  PostMessageA(window_, kFixtureOpenMenu, 0, 0);
  HWND menu = WaitForPopupMenu(5000, process_.Id());
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByMnemonic(menu, 'g');
  EXPECT_TRUE(TitleBecomes("chosen=103")) << WindowText(window_);
}

TEST_F(HarnessFixtureProgram, PopupMenuAnswersRealKeystrokes) {
  PostMessageA(window_, kFixtureOpenMenu, 0, 0);
  ASSERT_NE(WaitForPopupMenu(5000, process_.Id()), nullptr);
  // The owner made itself the foreground window before tracking, so the
  // keyboard reaches the menu's loop.
  ASSERT_TRUE(PressKeys({VK_DOWN}));
  ASSERT_TRUE(PressKeys({VK_DOWN}));
  ASSERT_TRUE(PressKeys({VK_DOWN}));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  EXPECT_TRUE(TitleBecomes("chosen=103")) << WindowText(window_);
}

TEST_F(HarnessFixtureProgram, PopupMenuDismissesWithoutChoice) {
  PostMessageA(window_, kFixtureOpenMenu, 0, 0);
  HWND menu = WaitForPopupMenu(5000, process_.Id());
  ASSERT_NE(menu, nullptr);
  DismissMenu(menu);
  EXPECT_TRUE(TitleBecomes("chosen=0")) << WindowText(window_);
  EXPECT_TRUE(WaitForPopupMenuClosed(3000, process_.Id()));
}

TEST_F(HarnessFixtureProgram, TrayIconAnswersClicksOfBothButtons) {
  PostMessageA(window_, kFixtureAddTray, 0, 0);
  ASSERT_TRUE(TitleBecomes("tray=1")) << WindowText(window_);
  if (!FindTrayWindow()) GTEST_SKIP() << "no task bar: run with the Wine virtual desktop";
  ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Left));
  EXPECT_TRUE(TitleBecomes("trayclick=514")) << WindowText(window_);  // WM_LBUTTONUP
  ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Right));
  EXPECT_TRUE(TitleBecomes("trayclick=517")) << WindowText(window_);  // WM_RBUTTONUP
}

}  // namespace
}  // namespace ambrel::e2e
