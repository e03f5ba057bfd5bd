// The editor's data commands under Wine, through the real file dialogs and
// message boxes: reached by the menus' letters and the tool buttons' clicks,
// and otherwise run as they run them (WM_COMMAND with the command's id).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "editor/editor_command_ids.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/mouse.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

constexpr const char* kOpenTitle = "読み込むファイル名を指して下さい";
constexpr const char* kSaveTitle = "保存するﾌｧｲﾙ名を指して下さい";

class Data : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EmptyClipboardNow());
    ASSERT_TRUE(ambrel_.Start());
    for (const char* text : {"second clip text", "日本語のクリップです"}) {
      ASSERT_TRUE(SetClipboardText(text));
      ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
    }
    ASSERT_TRUE(ambrel_.WaitForHistory({"日本語のクリップです", "second clip text"}));
    ambrel_.PostTray(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != 0; }, 5000));
  }

  void Run(editor::CommandId id) { PostMessageA(ambrel_.Editor(), WM_COMMAND, id, 0); }
  HWND Child(const char* cls) const { return FindChild(ambrel_.Editor(), cls); }
  std::vector<std::string> Tabs() const { return ReadTabCaptions(Child("SysTabControl32")); }
  std::string Path(const char* name) { return ambrel_.Folder().File(name); }

  // Types the name into the open file dialog and confirms it; waits until
  // the dialog has gone unless a question of its own is expected.
  bool Choose(const char* title, const std::string& file, bool waitClosed = true) {
    HWND dialog = WaitForTopWindow("#32770", 8000, ambrel_.Proc().Id(), title, true);
    if (!dialog) return false;
    HWND name = GetDlgItem(dialog, 0x480);
    if (!name) name = GetDlgItem(dialog, 0x47c);
    if (!name) return false;
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return !waitClosed || WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000);
  }
  // The program's message box showing text, answered with button; false
  // when none came.
  bool Answer(const std::string& text, int button) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
          for (HWND w : FindTopWindows("#32770", "", ambrel_.Proc().Id())) {
            if (!IsWindowVisible(w)) continue;
            for (const ChildWindow& c : ChildWindows(w))
              if (c.text == text) box = w;
          }
          return box != nullptr;
        },
        8000);
    if (!box) return false;
    PostMessageA(box, WM_COMMAND, button, 0);
    return WaitUntil([&] { return !IsWindow(box); }, 5000);
  }
  std::string Describe() { return DescribeWindows(FindTopWindows("#32770", "", ambrel_.Proc().Id())); }
  // A menu of the bar by Alt and its letter; then letters in it and its
  // submenus, each submenu waited for.
  void OpenMenu(WORD letter) {
    ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
    PressKeys({VK_MENU, letter});
    menu_ = WaitForPopupMenu(5000, ambrel_.Proc().Id());
    ASSERT_NE(menu_, nullptr);
  }
  void MenuKeys(std::initializer_list<char> letters) {
    HWND open = menu_;
    std::size_t left = letters.size();
    for (char letter : letters) {
      // The menu's loop runs once it answers the window's sent messages.
      ASSERT_TRUE(WaitForSentMessagesHandled(ambrel_.Editor()));
      PostKey(open, static_cast<WORD>(letter));
      if (--left == 0) break;
      open = WaitForSubmenu(open, 5000, ambrel_.Proc().Id());
      ASSERT_NE(open, nullptr) << letter;
    }
    ASSERT_TRUE(WaitForPopupMenuClosed(5000, ambrel_.Proc().Id()));
  }
  void ClickButton(HWND bar, int command) {
    RECT rc{};
    ASSERT_TRUE(ToolButtonRect(bar, command, rc)) << command;
    ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
    ASSERT_TRUE(ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
  }

  AmbrelRun ambrel_;
  HWND menu_ = nullptr;
};

TEST_F(Data, SaveAllAndReadAllRoundTripThroughTheDialogs) {
  const std::vector<std::string> before = Tabs();
  ASSERT_EQ(before.size(), 6u);  // two history clips, four samples

  // A .txt is refused with its message and the dialog comes again.
  Run(editor::kCmdSaveAll);
  ASSERT_TRUE(Choose(kSaveTitle, Path("clips.txt"))) << Describe();
  ASSERT_TRUE(Answer("<< *.HST >> 以外の拡張子が指定されています。", IDOK)) << Describe();
  ASSERT_TRUE(Choose(kSaveTitle, Path("clips.Hst"))) << Describe();
  ASSERT_TRUE(WaitUntil([&] { return ambrel_.Folder().Exists("clips.Hst"); }, 5000)) << Describe();
  EXPECT_FALSE(ambrel_.Folder().Exists("clips.txt"));

  Run(editor::kCmdDeleteAll);
  ASSERT_TRUE(Answer("登録されているすべてのクリップデータを削除しますが、よろしいですか？", IDYES));
  ASSERT_TRUE(WaitUntil([&] { return Tabs().empty(); }, 5000));

  // An empty store asks nothing before it reads.
  Run(editor::kCmdReadAll);
  ASSERT_TRUE(Choose(kOpenTitle, Path("clips.Hst")));
  ASSERT_TRUE(WaitUntil([&] { return Tabs() == before; }, 5000)) << Tabs().size();
  EXPECT_TRUE(ambrel_.WaitForHistory({"日本語のクリップです", "second clip text"}));

  // Read again, answered No: the file's clips come in beside those there.
  Run(editor::kCmdReadAll);
  ASSERT_TRUE(Choose(kOpenTitle, Path("clips.Hst")));
  ASSERT_TRUE(Answer("登録されているすべてのクリップデータを削除しますが、よろしいですか？", IDNO));
  EXPECT_TRUE(WaitUntil([&] { return Tabs().size() == 10u; }, 5000)) << Tabs().size();
}

TEST_F(Data, UnreadableAndUnwritableFilesChangeNothing) {
  const std::vector<std::string> before = Tabs();
  // Cut, and naming a user menu that does not exist.
  const std::string good = [&] {
    Run(editor::kCmdSaveAll);
    Choose(kSaveTitle, Path("good.hst"));
    WaitUntil([&] { return ambrel_.Folder().Exists("good.hst"); }, 5000);
    return ambrel_.Folder().ReadFile("good.hst");
  }();
  ASSERT_FALSE(good.empty());
  std::string hostile = good;
  hostile[0] = 9;
  ASSERT_TRUE(ambrel_.Folder().WriteFile("cut.hst", good.substr(0, good.size() / 2)));
  ASSERT_TRUE(ambrel_.Folder().WriteFile("hostile.hst", hostile));
  for (const char* name : {"cut.hst", "hostile.hst"}) {
    Run(editor::kCmdReadAll);
    ASSERT_TRUE(Choose(kOpenTitle, Path(name)));
    ASSERT_TRUE(Answer("登録されているすべてのクリップデータを削除しますが、よろしいですか？", IDYES));
    // Nothing is reset, so the start-up's "initialised" message has no place:
    // the command's own message alone.
    ASSERT_TRUE(Answer("<< " + Path(name) + " >>は読み込むことが出来ません。", IDOK)) << Describe();
    EXPECT_EQ(Tabs(), before) << name;
  }

  // A read-only file is not written over.
  ASSERT_TRUE(ambrel_.Folder().WriteFile("locked.hst", "old"));
  ASSERT_TRUE(SetFileAttributesA(Path("locked.hst").c_str(), FILE_ATTRIBUTE_READONLY));
  Run(editor::kCmdSaveAll);
  ASSERT_TRUE(Choose(kSaveTitle, Path("locked.hst"), false));
  // The dialog asks before it overwrites.
  HWND ask = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND w : FindTopWindows("#32770", kSaveTitle, ambrel_.Proc().Id()))
      if (IsWindowVisible(w) && GetDlgItem(w, IDYES)) ask = w;
    return ask != nullptr;
  }, 8000)) << Describe();
  PostMessageA(ask, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(Answer("<< " + Path("locked.hst") + " >>には書き込むことが出来ません。", IDOK)) << Describe();
  EXPECT_EQ(ambrel_.Folder().ReadFile("locked.hst"), "old");
  SetFileAttributesA(Path("locked.hst").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(ambrel_.Proc().Running());
}

TEST_F(Data, OneClipsFileMakeStaticAndNewClip) {
  HWND edit = Child("RichEdit20A");
  ASSERT_TRUE(ambrel_.Folder().WriteFile("in.txt", "読み込んだ文章\r\nline two"));
  Run(editor::kCmdLoadClip);
  ASSERT_TRUE(Choose(kOpenTitle, Path("in.txt")));
  ASSERT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == "読み込んだ文章\r\nline two"; }, 5000))
      << ReadRichEditText(edit);
  const auto loaded = [&] {
    return WaitUntil([&] {
      const std::vector<std::string> h = ambrel_.HistoryCaptions();
      return h.size() == 2 && h[0].rfind("読み込んだ文章⇔", 0) == 0 && h[1] == "second clip text";
    }, 5000);
  };
  EXPECT_TRUE(loaded()) << ambrel_.DescribeTree();

  // Any extension goes for a clip's file; it is written as rich text.
  Run(editor::kCmdSaveClip);
  ASSERT_TRUE(Choose(kSaveTitle, Path("out.rtf")));
  ASSERT_TRUE(WaitUntil([&] { return ambrel_.Folder().Exists("out.rtf"); }, 5000)) << Describe();
  const std::string rtf = ambrel_.Folder().ReadFile("out.rtf");
  EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf.substr(0, 40);
  // Read back as rich text, not as its markup.
  Run(editor::kCmdLoadClip);
  ASSERT_TRUE(Choose(kOpenTitle, Path("out.rtf")));
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  EXPECT_EQ(ReadRichEditText(edit), "読み込んだ文章\r\nline two");
  EXPECT_TRUE(loaded()) << ambrel_.DescribeTree();

  // 50 MB is over the clip limit: refused at once, the clip unchanged.
  {
    std::ofstream big(Path("big.txt"), std::ios::binary);
    big.seekp(50 << 20);
    big.put('x');
  }
  Run(editor::kCmdLoadClip);
  ASSERT_TRUE(Choose(kOpenTitle, Path("big.txt")));
  const DWORD start = GetTickCount();
  ASSERT_TRUE(Answer("<< " + Path("big.txt") + " >>は読み込むことが出来ません。", IDOK));
  EXPECT_LT(GetTickCount() - start, 1500u);
  EXPECT_EQ(ReadRichEditText(edit), "読み込んだ文章\r\nline two");

  Run(editor::kCmdMakeStatic);
  EXPECT_TRUE(ambrel_.WaitForHistory({"second clip text"}));
  EXPECT_TRUE(WaitUntil([&] { return Tabs().size() == 6u && Tabs()[1] == "静的"; }, 5000));

  Run(editor::kCmdNewClip);
  Run(editor::kCmdNewClip);
  EXPECT_TRUE(ambrel_.WaitForHistory({"新規データ", "新規データ", "second clip text"}));
}

// Copies that come in while a clip's file dialog is up move the pages: the
// file still goes into, and comes from, the clip chosen, and the copies stay
// as they came.
TEST_F(Data, ClipFileCommandsKeepToTheChosenClipWhileCopiesComeIn) {
  HWND edit = Child("RichEdit20A");
  ASSERT_TRUE(ambrel_.Folder().WriteFile("in.txt", "from the file"));
  Run(editor::kCmdLoadClip);
  ASSERT_NE(WaitForTopWindow("#32770", 8000, ambrel_.Proc().Id(), kOpenTitle, true), nullptr);
  ASSERT_TRUE(SetClipboardText("first copy meanwhile"));
  ASSERT_TRUE(ambrel_.WaitForHistory({"first copy meanwhile", "日本語のクリップです", "second clip text"}));
  ASSERT_TRUE(Choose(kOpenTitle, Path("in.txt")));
  EXPECT_TRUE(ambrel_.WaitForHistory({"first copy meanwhile", "from the file", "second clip text"}))
      << ambrel_.DescribeTree();

  Run(editor::kCmdSaveClip);
  ASSERT_NE(WaitForTopWindow("#32770", 8000, ambrel_.Proc().Id(), kSaveTitle, true), nullptr);
  const std::string chosen = ReadRichEditText(edit);
  ASSERT_TRUE(SetClipboardText("second copy meanwhile"));
  ASSERT_TRUE(ambrel_.WaitForHistory(
      {"second copy meanwhile", "first copy meanwhile", "from the file", "second clip text"}));
  ASSERT_TRUE(Choose(kSaveTitle, Path("out.rtf")));
  ASSERT_TRUE(WaitUntil([&] { return ambrel_.Folder().Exists("out.rtf"); }, 5000)) << Describe();
  const std::string rtf = ambrel_.Folder().ReadFile("out.rtf");
  EXPECT_NE(rtf.find(chosen), std::string::npos) << chosen << "\n" << rtf;
  EXPECT_EQ(rtf.find("second copy"), std::string::npos) << rtf;
}

// A clip over the page's first part: the page shows that part and says so,
// "save this clip" writes all of it, and a click on the note adds the rest
// piece by piece while the window keeps answering.
TEST_F(Data, LongClipIsSavedWholeAndShownWholeOnDemand) {
  std::string text;
  for (int line = 0; text.size() < (3u << 20); ++line) text += "line " + std::to_string(line) + " 表示\r\n";
  text += "THE END";
  ASSERT_TRUE(SetClipboardText(text));
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  HWND edit = Child("RichEdit20A");
  HWND bar = Child("msctls_statusbar32");
  ASSERT_TRUE(WaitUntil([&] { return ReadStatusBarText(bar, 2).find("全 3.0MB") != std::string::npos; }, 10000))
      << ReadStatusBarText(bar, 2);
  EXPECT_LT(ReadRichEditText(edit).size(), text.size());

  Run(editor::kCmdSaveClip);
  ASSERT_TRUE(Choose(kSaveTitle, Path("long.rtf")));
  ASSERT_TRUE(WaitUntil([&] { return ambrel_.Folder().Exists("long.rtf"); }, 5000)) << Describe();
  EXPECT_NE(ambrel_.Folder().ReadFile("long.rtf").find("THE END}"), std::string::npos);

  RECT rc{};
  GetWindowRect(bar, &rc);
  ASSERT_TRUE(BringToForeground(ambrel_.Editor()));
  ASSERT_TRUE(ClickAt({rc.right - 60, (rc.top + rc.bottom) / 2}));
  // The window answers between the pieces.
  DWORD slowest = 0;
  ASSERT_TRUE(WaitUntil([&] {
    const DWORD start = GetTickCount();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(ambrel_.Editor(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    slowest = std::max<DWORD>(slowest, GetTickCount() - start);
    return ReadStatusBarText(bar, 2) == "全 3.0MB を表示中 (読み取り専用)";
  }, 30000)) << ReadStatusBarText(bar, 2);
  std::printf("longest wait for the editor while adding pieces: %lu ms\n", static_cast<unsigned long>(slowest));
  EXPECT_LT(slowest, 1000u);
  // Compared by size and first difference: a printed diff of two 3 MiB texts
  // would be unreadable.
  const std::string shown = ReadRichEditText(edit);
  const auto differ = std::mismatch(shown.begin(), shown.end(), text.begin(), text.end());
  EXPECT_TRUE(shown == text) << shown.size() << " bytes shown of " << text.size() << ", first difference at "
                             << (differ.first - shown.begin());
}

// The data menu by its letters and the tool buttons by mouse clicks: 新規作成
// in beginner mode, then (out of it) save all, ADelBtn, read all with a
// refused ".txt", and AStaticBtn, disabled on the static clip it made.
TEST_F(Data, MenusAndButtonsReachTheDataCommands) {
  const std::vector<std::string> history = {"日本語のクリップです", "second clip text"};
  OpenMenu('D');  // a first start is in beginner mode: ﾃﾞｰﾀ offers 新規作成 itself
  MenuKeys({'N'});
  ASSERT_TRUE(ambrel_.WaitForHistory({"新規データ", history[0], history[1]}));

  OpenMenu('S');  // 保守, 初心者ﾓｰﾄﾞ
  MenuKeys({'M'});
  HWND bar = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    bar = ambrel_.ShownEditBar();
    return bar && SendMessageA(bar, TB_BUTTONCOUNT, 0, 0) == 12;
  }, 5000));

  OpenMenu('D');
  MenuKeys({'A', 'S'});  // 全ﾃﾞｰﾀ, 保存
  ASSERT_TRUE(Choose(kSaveTitle, Path("menu.hst"))) << Describe();
  ASSERT_TRUE(WaitUntil([&] { return ambrel_.Folder().Exists("menu.hst"); }, 5000)) << Describe();

  ASSERT_TRUE(ReadTabSelection(Child("SysTabControl32")) == 0);
  ClickButton(bar, editor::kCmdDeleteClip);
  ASSERT_TRUE(ambrel_.WaitForHistory(history));

  ASSERT_TRUE(ambrel_.Folder().WriteFile("clips.txt", "text"));
  OpenMenu('D');
  MenuKeys({'A', 'O'});  // 全ﾃﾞｰﾀ, 読込
  ASSERT_TRUE(Choose(kOpenTitle, Path("clips.txt")));
  ASSERT_TRUE(Answer("<< *.HST >> 以外の拡張子が指定されています。", IDOK)) << Describe();
  ASSERT_TRUE(Choose(kOpenTitle, Path("menu.hst"))) << Describe();
  ASSERT_TRUE(Answer("登録されているすべてのクリップデータを削除しますが、よろしいですか？", IDYES));
  ASSERT_TRUE(ambrel_.WaitForHistory({"新規データ", history[0], history[1]}));

  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(bar, TB_ISBUTTONENABLED, editor::kCmdMakeStatic, 0) != 0; }, 3000));
  ClickButton(bar, editor::kCmdMakeStatic);
  ASSERT_TRUE(ambrel_.WaitForHistory(history));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(bar, TB_ISBUTTONENABLED, editor::kCmdMakeStatic, 0) == 0; }, 3000))
      << "make-static still enabled on the static clip";
}

// The history file of 300 static clips "L001 ..." and one history clip.
std::string ManyClipsHistory() {
  std::string bytes;
  for (int i = 300; i >= 1; --i) {
    char line[64];
    wsprintfA(line, "L%03d 行の内容", i);
    bytes += '\x01';
    bytes += line;
    bytes += '\0';
  }
  bytes += '\xFF';
  std::string records(12 * 784, '\0');
  const std::string names[] = {"動的クリップデータ", "静的クリップデータ"};
  for (int slot : {0, 1}) {
    records[slot * 784] = static_cast<char>(names[slot].size());  // the root's name
    records.replace(slot * 784 + 1, names[slot].size(), names[slot]);
    records[slot * 784 + 768] = 1;   // in use
    records[slot * 784 + 776] = 30;  // the most clips
  }
  return bytes + records;
}

int CountPdfFiles(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

// Prints into the system's default printer. Run with AMBREL_PRINT_EXPECT
// naming a file and AMBREL_PDF_DIR the folder where the PDF printer puts its
// files: the texts each job must show are written to the file, one job per
// block, for the checker that reads the printed pages (scripts/check_prints.py).
TEST_F(Data, PrintsReachTheDefaultPrinter) {
  const char* expect = std::getenv("AMBREL_PRINT_EXPECT");
  const char* pdfDir = std::getenv("AMBREL_PDF_DIR");
  if (!expect || !pdfDir) GTEST_SKIP() << "needs a PDF printer (scripts/test.sh sets it up)";
  const int pdfsBefore = CountPdfFiles(pdfDir);
  std::string out;
  const auto job = [&](const char* name, int minPages, const std::vector<std::string>& lines) {
    out += std::string("job ") + name + " " + std::to_string(minPages) + "\n";
    for (const std::string& line : lines) out += line + "\n";
    out += "end\n";
  };
  const auto settle = [&] { return ambrel_.WaitForMessagesHandled(); };

  Run(editor::kCmdPrintAll);
  ASSERT_TRUE(settle());
  // Page order: the history clips, then the static samples.
  job("all", 1, {"日本語のクリップです", "second clip text", "時刻に関する変数のサンプルです",
                 "入力関数(#Input)のサンプルです", "ツリー関数(#Tree)のサンプルです"});

  Run(editor::kCmdPrintClip);
  ASSERT_TRUE(settle());
  job("current", 1, {"日本語のクリップです"});

  // From the history root: its clips and the user menus, not the static root.
  HWND tree = Child("SysTreeView32");
  HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
  Run(editor::kCmdTreePrintSelected);
  ASSERT_TRUE(settle());
  job("tree-history", 1,
      {"Ambrel", "クリップデータツリー", "@0 動的クリップデータ", "@1 日本語のクリップです",
       "@1 second clip text", "@1 Usr1", "!静的クリップデータ"});

  ASSERT_TRUE(ambrel_.Folder().WriteFile("many.hst", ManyClipsHistory()));
  Run(editor::kCmdReadAll);
  ASSERT_TRUE(Choose(kOpenTitle, Path("many.hst")));
  ASSERT_TRUE(Answer("登録されているすべてのクリップデータを削除しますが、よろしいですか？", IDYES));
  ASSERT_TRUE(WaitUntil([&] { return Tabs().size() == 300u; }, 10000)) << Tabs().size();
  Run(editor::kCmdTreePrint);
  ASSERT_TRUE(settle());
  std::vector<std::string> lines = {"Ambrel", "クリップデータツリー", "@0 動的クリップデータ",
                                    "@0 静的クリップデータ"};
  for (int i = 1; i <= 300; ++i) {
    char line[64];
    wsprintfA(line, "@1 L%03d 行の内容", i);
    lines.push_back(line);
  }
  job("tree-all", 2, lines);
  // The jobs leave the program's spooler on their own time: the program
  // stays until all four have come out of the printer.
  EXPECT_TRUE(WaitUntil([&] { return CountPdfFiles(pdfDir) >= pdfsBefore + 4; }, 60000, 200))
      << CountPdfFiles(pdfDir) - pdfsBefore << " of 4 jobs printed";

  std::ofstream file(expect, std::ios::binary);
  file << out;
  EXPECT_TRUE(file.good());
}

}  // namespace
}  // namespace ambrel::e2e
