// Static clips expanded at paste time under Wine: the expansion of a static
// clip opens the input dialog, the list picker or the tree picker of the
// running program; what the user confirms is pasted into notepad, and a
// cancelled dialog pastes nothing and leaves the clipboard alone.
//
// The clip is chosen from the clip menu that the hot key opens over notepad,
// and the program pastes the expansion itself.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "editor/editor_command_ids.h"
#include "harness/clipboard.h"
#include "harness/keyboard.h"
#include "harness/mouse.h"
#include "harness/notepad.h"
#include "harness/popup_menu.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_picture.h"
#include "harness/window_query.h"
#include "variables/meta_menu_ids.h"
#include "version/version_number.h"

namespace ambrel::e2e {
namespace {

constexpr std::size_t kSlotRecordsSize = 12 * 784;

// The menu slot records of a first start (history, static and the default
// user menu), taken from the history file that the program itself wrote.
const std::string& DefaultSlotRecords() {
  static const std::string records = [] {
    AmbrelRun first;
    if (!first.Start() || !first.QuitThroughTrayMenu()) return std::string();
    const std::string hst = first.Folder().ReadFile("Ambrel.hst");
    return hst.size() >= kSlotRecordsSize ? hst.substr(hst.size() - kSlotRecordsSize) : std::string();
  }();
  return records;
}

// A history file holding one static clip and one clip of the first user
// menu, so that the clip menu reads: user menu 1, the static menu, ...
std::string HistoryWithStaticClip(const std::string& clip) {
  std::string hst;
  hst += '\x02';
  hst += "http://example.invalid/";
  hst += '\0';
  hst += '\x01';
  hst += clip;
  hst += '\0';
  hst += '\xFF';
  return hst + DefaultSlotRecords();
}

class Expand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EmptyClipboardNow());
    ASSERT_EQ(DefaultSlotRecords().size(), kSlotRecordsSize) << "no history file from a first start";
    // Pickers select the row under the mouse: keep it out of their way.
    SetCursorPos(2, 2);
  }
  void TearDown() override {
    notepad_.Close();
    if (HasFailure()) ADD_FAILURE() << "tree:\n" << ambrel_.DescribeTree();
  }

  void StartWith(const std::string& clip, const std::string& metaFile = "") {
    ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.hst", HistoryWithStaticClip(clip)));
    if (!metaFile.empty()) {
      ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.mta", metaFile));
    }
    ASSERT_TRUE(ambrel_.Start()) << "Ambrel did not finish its start-up";
    ASSERT_TRUE(notepad_.Start());
  }

  // The hot key in notepad (which holds "["), then the static menu's only
  // clip; the menu lists the history clips, user menu 1, the static menu.
  void ExpandStaticClip(int historyClips = 0) {
    notepad_.SetText("[");
    notepad_.MoveCaretToEnd();
    ASSERT_TRUE(BringToForeground(notepad_.Window()));
    PressKeys({VK_CONTROL, VK_SHIFT, 'V'});
    HWND menu = WaitForPopupMenu(5000, ambrel_.Proc().Id());
    ASSERT_NE(menu, nullptr) << "no clip menu";
    for (int i = 0; i < historyClips + 2; ++i) PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RIGHT);  // opens the static menu at its first clip
    HWND submenu = WaitForSubmenu(menu, 5000, ambrel_.Proc().Id());
    ASSERT_NE(submenu, nullptr) << "the static menu did not open";
    PostKey(submenu, VK_RETURN);
  }

  void ExpectPasted(const std::string& expanded) {
    EXPECT_TRUE(WaitForNotepadText("[" + expanded)) << notepad_.Text();
  }

  HWND WaitForDialog(const char* cls) {
    return WaitForTopWindow(cls, 8000, ambrel_.Proc().Id(), "", true);
  }
  bool WaitForNotepadText(const std::string& expected, unsigned ms = 6000) {
    return WaitUntil([&] { return notepad_.Text() == expected; }, ms);
  }
  static void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); }

  AmbrelRun ambrel_;
  Notepad notepad_;
};

TEST_F(Expand, InputDialogAsksAndOkPastesTheExpandedClip) {
  StartWith("名前: $i(名前は？)さん");
  ExpandStaticClip();
  HWND input = WaitForDialog("TInput");
  ASSERT_NE(input, nullptr) << "no input dialog";
  EXPECT_EQ(WindowText(input), " #Input によるユーザー入力");
  bool promptShown = false;
  for (const ChildWindow& child : ChildWindows(input)) promptShown |= child.text == "名前は？";
  EXPECT_TRUE(promptShown) << DescribeChildren(input);
  HWND edit = FindChild(input, "RichEdit20A");
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("太郎"));
  Press(input, IDOK);
  ExpectPasted("名前: 太郎さん");
  EXPECT_FALSE(IsWindowVisible(input));
}

TEST_F(Expand, CancelPastesNothingAndLeavesTheClipboard) {
  StartWith("$i(名前は？)");
  ASSERT_TRUE(SetClipboardText("kept"));
  ASSERT_TRUE(ambrel_.WaitForHistory({"kept"}));
  ExpandStaticClip(1);
  HWND input = WaitForDialog("TInput");
  ASSERT_NE(input, nullptr) << "no input dialog";
  SendMessageA(FindChild(input, "RichEdit20A"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
  Press(input, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(input); }, 3000));
  EXPECT_TRUE(NeverHappensWithin([&] { return notepad_.Text() != "["; }, 1500)) << notepad_.Text();
  EXPECT_EQ(ReadClipboardText().value_or("(none)"), "kept");
}

TEST_F(Expand, ListClipPastesTheChosenLine) {
  ASSERT_TRUE(ambrel_.Folder().WriteFile("list.txt", "りんご\r\nみかん\r\nぶどう\r\n"));
  const std::string list = ambrel_.Folder().File("list.txt");
  StartWith("果物: $l(" + list + ")");
  ExpandStaticClip();
  HWND picker = WaitForDialog("TList");
  ASSERT_NE(picker, nullptr) << "no list picker";
  EXPECT_EQ(WindowText(picker), list);
  HWND view = FindChild(picker, "SysListView32");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 3);
  PostKey(view, VK_DOWN);  // from the first row to the second
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(view, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == 1; }, 3000));
  Press(picker, IDOK);
  ExpectPasted("果物: みかん");
}

TEST_F(Expand, TreeClipPastesTheChosenFolderPath) {
  const std::string root = ambrel_.Folder().File("tree");
  ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((root + "\\sub").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((root + "\\sub\\leaf").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((root + "\\.dot").c_str(), nullptr));
  StartWith("$t(" + root + "\\)");
  ExpandStaticClip();
  HWND picker = WaitForDialog("TTree");
  ASSERT_NE(picker, nullptr) << "no tree picker";
  HWND view = FindChild(picker, "SysTreeView32");
  ASSERT_NE(view, nullptr);
  const std::vector<TreeItemText> expected = {{0, root}, {1, "sub"}, {2, "leaf"}};
  EXPECT_EQ(ReadTreeView(view), expected);
  EXPECT_EQ(ReadTreeSelection(view), root);
  PostKey(view, VK_DOWN);
  PostKey(view, VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return ReadTreeSelection(view) == "leaf"; }, 3000));
  Press(picker, IDOK);
  ExpectPasted(root + "\\sub\\leaf");
}

TEST_F(Expand, TreeClipTakesAFolderWhoseNameEndsInABackslashByte) {
  // 表 and ソ end in the byte of "\": the folder is still a folder.
  const std::string root = ambrel_.Folder().File("予定表");
  ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((root + "\\ソ").c_str(), nullptr));
  StartWith("$t(" + root + ")");
  ExpandStaticClip();
  HWND picker = WaitForDialog("TTree");
  ASSERT_NE(picker, nullptr) << "no tree picker";
  EXPECT_EQ(WindowText(picker), root);
  HWND view = FindChild(picker, "SysTreeView32");
  ASSERT_NE(view, nullptr);
  const std::vector<TreeItemText> expected = {{0, root}, {1, "ソ"}};
  EXPECT_EQ(ReadTreeView(view), expected);
  PostKey(view, VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return ReadTreeSelection(view) == "ソ"; }, 3000));
  Press(picker, IDOK);
  ExpectPasted(root + "\\ソ");
}

TEST_F(Expand, TreeFileClipPastesTheChosenItemText) {
  ASSERT_TRUE(ambrel_.Folder().WriteFile("tree.txt", "果物\r\n\tりんご\r\n\t\t\tふじ\r\n野菜\r\n"));
  const std::string file = ambrel_.Folder().File("tree.txt");
  StartWith("$t(" + file + ")");
  ExpandStaticClip();
  HWND picker = WaitForDialog("TTree");
  ASSERT_NE(picker, nullptr) << "no tree picker";
  EXPECT_EQ(WindowText(picker), file);
  HWND view = FindChild(picker, "SysTreeView32");
  ASSERT_NE(view, nullptr);
  // A line three levels deeper than its predecessor becomes its child.
  const std::vector<TreeItemText> expected = {{0, "果物"}, {1, "りんご"}, {2, "ふじ"}, {0, "野菜"}};
  EXPECT_EQ(ReadTreeView(view), expected);
  PostKey(view, VK_HOME);
  PostKey(view, VK_DOWN);
  PostKey(view, VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return ReadTreeSelection(view) == "ふじ"; }, 3000)) << ReadTreeSelection(view);
  Press(picker, IDOK);
  ExpectPasted("ふじ");
}

TEST_F(Expand, FilerClipPastesTheChosenFileName) {
  ASSERT_TRUE(ambrel_.Folder().WriteFile("memo.txt", "x"));
  const std::string file = ambrel_.Folder().File("memo.txt");
  StartWith("<$r(*.txt)>");
  ExpandStaticClip();
  HWND dialog = WaitForTopWindow("#32770", 8000, ambrel_.Proc().Id(), "ペーストしたいファイル名を指して下さい", true);
  ASSERT_NE(dialog, nullptr) << "no file dialog";
  // The file name field (edt1, or the combo box cmb13 that holds it).
  HWND name = GetDlgItem(dialog, 0x480);
  if (!name) name = GetDlgItem(dialog, 0x47c);
  ASSERT_NE(name, nullptr) << DescribeChildren(dialog);
  EXPECT_EQ(WindowText(name), "*.txt");
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  Press(dialog, IDOK);
  ExpectPasted("<" + file + ">");
}

TEST_F(Expand, DateClipPastesTheCurrentDateParts) {
  // The static-variable file maps the meta characters itself.
  std::string mta;
  for (const char* row : {"$Y", "$Year", "$M", "$MONTH", "$D", "$date"}) {
    mta += row;
    mta += '\0';
  }
  mta += '\0';
  StartWith("$y/$m/$d", mta);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char expected[64];
  wsprintfA(expected, "%d/%02d/%02d", now.wYear - 1900, now.wMonth, now.wDay);
  ExpandStaticClip();
  ExpectPasted(expected);
}


}  // namespace
}  // namespace ambrel::e2e

namespace ambrel::e2e {
namespace {

// The static-variable window opened through the editor window's command.
HWND OpenMetaList(AmbrelRun& ambrel) {
  HWND main = FindTopWindow("TMain", "", ambrel.Proc().Id());
  if (!main) return nullptr;
  PostMessageA(main, WM_COMMAND, editor::kCmdMetaList, 0);
  return WaitForTopWindow("TMeta", 8000, ambrel.Proc().Id(), "", true);
}

bool WaitForText(HWND window, const std::string& text) {
  return WaitUntil([&] { return WindowText(window) == text; }, 5000);
}

// The screen point inside row `row` of a list of another process.
POINT RowPoint(HWND list, int row) {
  RemoteBuffer rect(list, sizeof(RECT));
  RECT bounds{LVIR_LABEL, 0, 0, 0};
  rect.Write(0, &bounds, sizeof bounds);
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(rect.Address()));
  rect.Read(0, &bounds, sizeof bounds);
  POINT at{bounds.left + 6, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(list, &at);
  return at;
}

class MetaList : public Expand {
 protected:
  // A drag with the left button from a row of the list to `to`.
  void DragRow(HWND list, int row, POINT to) {
    ASSERT_TRUE(DragTo(RowPoint(list, row), to, GetAncestor(list, GA_ROOT))) << "no drag began";
  }
  void PasteAfterClosing(HWND meta, int historyClips, const std::string& expanded) {
    PostMessageA(meta, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(meta); }, 5000));
    ExpandStaticClip(historyClips);
    ExpectPasted(expanded);
  }
  // Runs one of the list window's add, update and delete items; with data
  // set, the dialog gets it as its text; returns after OK.
  void EditRow(HWND meta, int item, const std::string& data) {
    PostMessageA(meta, WM_COMMAND, static_cast<WPARAM>(item), 0);
    HWND dialog = WaitForDialog("TMetaEdit");
    ASSERT_NE(dialog, nullptr);
    if (!data.empty()) {
      HWND edit = GetDlgItem(dialog, 103);
      SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(data.c_str()));
    }
    Press(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  }
};

TEST_F(MetaList, AddedUpdatedAndDeletedVariablesChangeWhatTheStaticClipPastes) {
  StartWith("$Z]");
  HWND meta = OpenMetaList(ambrel_);
  ASSERT_NE(meta, nullptr) << "no static-variable window";

  // Add: the character typed as a key, then stepped down and back up.
  PostMessageA(meta, WM_COMMAND, variables::kMMMetaAdd, 0);
  HWND dialog = WaitForDialog("TMetaEdit");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "静的変数を新規追加します");
  HWND key = GetDlgItem(dialog, 101);
  PostMessageA(key, WM_CHAR, ' ', 0);  // refused
  PostMessageA(key, WM_CHAR, 'z', 0);
  EXPECT_TRUE(WaitForText(key, "Z"));
  PostKey(key, VK_DOWN);
  EXPECT_TRUE(WaitForText(key, "Y"));
  PostKey(key, VK_UP);
  EXPECT_TRUE(WaitForText(key, "Z"));
  // A space put in whole, as a paste puts it, is refused as a typed one is.
  SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(" "));
  EXPECT_EQ(WindowText(key), "Z");
  const std::string data = "ぜっと";
  SendMessageA(GetDlgItem(dialog, 103), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(data.c_str()));
  Press(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  // Each paste is recorded as the newest history clip.
  PasteAfterClosing(meta, 0, "ぜっと]");

  meta = OpenMetaList(ambrel_);
  EditRow(meta, variables::kMMMetaEdit, "ZZ");  // the new row is still selected
  PasteAfterClosing(meta, 1, "ZZ]");

  meta = OpenMetaList(ambrel_);
  EditRow(meta, variables::kMMMetaDel, "");
  PasteAfterClosing(meta, 2, "$Z]");  // a character without a variable stays as written  // a character without a variable stays as written
}

TEST_F(MetaList, FunctionPopupInsertsTheChosenNameAtTheCaretAndEscLeavesTheData) {
  StartWith("x");
  HWND meta = OpenMetaList(ambrel_);
  ASSERT_NE(meta, nullptr);
  PostMessageA(meta, WM_COMMAND, variables::kMMMetaAdd, 0);
  HWND dialog = WaitForDialog("TMetaEdit");
  ASSERT_NE(dialog, nullptr);
  HWND edit = GetDlgItem(dialog, 103);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
  SendMessageA(edit, EM_SETSEL, 1, 1);
  auto openPopup = [&] {
    PostMessageA(dialog, WM_COMMAND, 114, 0);  // FuncBtn
    return WaitForTopWindow("TFunc", 5000, ambrel_.Proc().Id(), "", true);
  };
  HWND popup = openPopup();
  ASSERT_NE(popup, nullptr);
  HWND list = FindChild(popup, "SysListView32");
  ASSERT_NE(list, nullptr) << "the function list is not lent to the popup";
  PostKey(list, VK_HOME);  // "$Year"
  PostKey(list, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == "a$Yearb"; }, 5000)) << ReadRichEditText(edit);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, 5000));

  popup = openPopup();
  ASSERT_NE(popup, nullptr);
  PostKey(FindChild(popup, "SysListView32"), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, 5000));
  EXPECT_EQ(ReadRichEditText(edit), "a$Yearb");
  EXPECT_NE(FindChild(meta, "TFuncPanel"), nullptr) << "the list did not come back";
  Press(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
}

TEST_F(MetaList, RowsDraggedWithinTheListKeepTheirOrderAcrossARestart) {
  StartWith("x");
  ambrel_.PostTray(WM_LBUTTONDBLCLK);  // the list stands beside the editor
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != FALSE; }, 5000));
  HWND meta = OpenMetaList(ambrel_);
  ASSERT_NE(meta, nullptr);
  HWND list = GetDlgItem(meta, 11);
  // Xvfb's screen leaves no room beside the editor: the list stands on the
  // screen all the same.
  RECT placed{};
  GetWindowRect(meta, &placed);
  EXPECT_GE(placed.left, 0);
  SaveWindowPictureIfAsked(GetDesktopWindow(), "meta-beside-editor");
  DragRow(list, 0, RowPoint(list, 2));  // "$y" after "$d"
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 2;
  }, 5000)) << "the moved row is not selected";
  // The function list too: "$Year" dropped below the last row.
  HWND tabs = FindChild(meta, "SysTabControl32");
  RemoteBuffer tabRect(tabs, sizeof(RECT));
  ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(tabRect.Address())));
  RECT tab{};
  tabRect.Read(0, &tab, sizeof tab);
  POINT onTab{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
  ClientToScreen(tabs, &onTab);
  ASSERT_TRUE(ClickAt(onTab));
  HWND funcs = FindChild(FindChild(meta, "TFuncPanel"), "SysListView32");
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(funcs) != FALSE; }, 5000));
  RECT area{};
  GetWindowRect(funcs, &area);
  DragRow(funcs, 0, POINT{area.left + 20, area.bottom - 8});
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageA(funcs, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 15;
  }, 5000)) << "the function did not move to the end";
  const std::string moved = std::string("$m\0$Month\0$d\0$Date\0$y\0$Year\0$h\0", 31);
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_EQ(ambrel_.Folder().ReadFile("Ambrel.mta").substr(0, moved.size()), moved);
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_EQ(ambrel_.Folder().ReadFile("Ambrel.mta").substr(0, moved.size()), moved);
}

TEST_F(MetaList, RowDraggedIntoTheClipEditorInsertsItsCaptionAtTheDropPoint) {
  StartWith("x");
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != FALSE; }, 5000));
  HWND edit = FindChild(ambrel_.Editor(), "RichEdit20A");
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
  HWND meta = OpenMetaList(ambrel_);
  ASSERT_NE(meta, nullptr);
  // Just after "a": the position of "b" in the editor.
  const LRESULT b = SendMessageA(edit, EM_POSFROMCHAR, 1, 0);
  POINT to{static_cast<short>(LOWORD(b)) + 1, static_cast<short>(HIWORD(b)) + 4};
  ClientToScreen(edit, &to);
  DragRow(GetDlgItem(meta, 11), 1, to);  // "$m"
  EXPECT_TRUE(WaitUntil([&] { return ReadRichEditText(edit) == "a$mb"; }, 5000)) << ReadRichEditText(edit);
}

// The preview of a static clip asks first, shows the expansion, closes when
// another window is activated, and leaves the clipboard alone.
TEST_F(MetaList, PreviewAsksFirstQuotesWithCtrlAndShowsNothingWhenCancelled) {
  StartWith("<$i(name)>");
  ambrel_.PostTray(WM_LBUTTONDBLCLK);  // the editor at the static clip
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != FALSE; }, 5000));
  HWND editor = ambrel_.Editor();
  const DWORD clipboard = GetClipboardSequenceNumber();
  PostMessageA(editor, WM_COMMAND, editor::kCmdPreview, 0);
  HWND input = WaitForDialog("TInput");
  ASSERT_NE(input, nullptr) << "no input dialog before the preview";
  Press(input, IDCANCEL);
  HWND preview = FindTopWindow("TPreView", "", ambrel_.Proc().Id());
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  EXPECT_FALSE(IsWindowVisible(preview)) << "cancelled, yet shown";

  PostMessageA(editor, WM_COMMAND, editor::kCmdPreview, 0);
  input = WaitForDialog("TInput");
  ASSERT_NE(input, nullptr);
  SendMessageA(FindChild(input, "RichEdit20A"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  Press(input, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(preview) != FALSE; }, 5000));
  EXPECT_EQ(ReadRichEditText(FindChild(preview, "RichEdit20A")), "<abc>");
  ASSERT_TRUE(BringToForeground(notepad_.Window()));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(preview); }, 5000)) << "still open after deactivation";

  // With Ctrl held the lines are quoted.
  ASSERT_TRUE(BringToForeground(editor));
  keybd_event(VK_CONTROL, 0, 0, 0);
  PostMessageA(editor, WM_COMMAND, editor::kCmdPreview, 0);
  input = WaitForDialog("TInput");
  ASSERT_NE(input, nullptr);
  SendMessageA(FindChild(input, "RichEdit20A"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  Press(input, IDOK);
  const bool shown = WaitUntil([&] { return IsWindowVisible(preview) != FALSE; }, 5000);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  ASSERT_TRUE(shown);
  EXPECT_EQ(ReadRichEditText(FindChild(preview, "RichEdit20A")), "》<abc>");
  PostKey(FindChild(preview, "RichEdit20A"), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(preview); }, 5000))
      << "Esc did not close it; foreground " << ClassNameOf(GetForegroundWindow());
  EXPECT_EQ(GetClipboardSequenceNumber(), clipboard);
}

TEST_F(MetaList, VersionDialogShowsTheProgramsAndTheLibrarysVersion) {
  StartWith("x");
  HWND main = FindTopWindow("TMain", "", ambrel_.Proc().Id());
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, editor::kCmdAbout, 0);
  HWND about = WaitForDialog("TAbout");
  ASSERT_NE(about, nullptr);
  int versions = 0;
  bool library = false, libraryFile = false;
  for (const ChildWindow& child : ChildWindows(about)) {
    if (child.text == "Ver " AMBREL_VERSION_TEXT) ++versions;
    if (child.text == "Tesk.dll  Ver 1.00") library = true;  // its GetDllVersion, 100
    if (child.text == "(ファイル Ver " AMBREL_VERSION_TEXT ")") libraryFile = true;
  }
  EXPECT_EQ(versions, 1) << DescribeChildren(about);
  EXPECT_TRUE(library) << DescribeChildren(about);
  EXPECT_TRUE(libraryFile) << DescribeChildren(about);
  SaveWindowPictureIfAsked(about, "about");
  PostKey(GetDlgItem(about, IDOK), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 5000));
}

// Tables of a hundred thousand rows or of 64 MiB open at once and are written back as read.
// Data written as rich text format source is shown and kept as that source:
// OK on it unedited leaves the file as it was.
TEST_F(MetaList, RichTextSourceDataStaysByteForByteThroughTheEditor) {
  const std::string source = "{\\rtf1\\ansi{\\b 太字} text\\par}";
  const std::string mta = std::string("$Z") + '\0' + source + '\0' + '\0';
  StartWith("x", mta);
  HWND meta = OpenMetaList(ambrel_);
  ASSERT_NE(meta, nullptr);
  HWND list = GetDlgItem(meta, 11);
  RemoteBuffer item(list, sizeof(LVITEMA));
  LVITEMA selected{};
  selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  item.Write(0, &selected, sizeof selected);
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(item.Address()));
  PostMessageA(meta, WM_COMMAND, variables::kMMMetaEdit, 0);
  HWND dialog = WaitForDialog("TMetaEdit");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return ReadRichEditText(GetDlgItem(dialog, 103)) == source; }, 5000))
      << ReadRichEditText(GetDlgItem(dialog, 103));
  Press(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_TRUE(ambrel_.Folder().ReadFile("Ambrel.mta") == mta);
}

TEST_F(MetaList, HugeTablesOpenAtOnceAndAreSavedUnchanged) {
  std::string mta;
  for (int i = 0; i < 100000; ++i) mta += "$" + std::string(1, static_cast<char>('!' + i % 90)) + '\0' +
                                          "data " + std::to_string(i) + '\0';
  mta += '\0';
  StartWith("x", mta);
  const DWORD start = GetTickCount();
  HWND meta = OpenMetaList(ambrel_);
  ASSERT_NE(meta, nullptr);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(meta, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
  EXPECT_LT(GetTickCount() - start, 3000u);
  HWND list = GetDlgItem(meta, 11);  // the variable list
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 100000);
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_TRUE(ambrel_.Folder().ReadFile("Ambrel.mta") == mta);

  // A file of the largest size read: 64 MiB of long multi-line rows.
  std::string row;
  for (int i = 0; i < 65532 / 4; ++i) row += "表\r\n";
  mta.clear();
  for (int i = 0; i < 1023; ++i) mta += "$" + std::string(1, static_cast<char>('A' + i % 26)) + '\0' + row + '\0';
  mta += "$Z" + std::string(1, '\0') + std::string(65531, 'x') + '\0' + '\0';
  ASSERT_EQ(mta.size(), 64u << 20);
  ASSERT_TRUE(ambrel_.Folder().WriteFile("Ambrel.mta", mta));
  ASSERT_TRUE(ambrel_.Start());
  const DWORD opened = GetTickCount();
  meta = OpenMetaList(ambrel_);
  ASSERT_NE(meta, nullptr);
  EXPECT_TRUE(SendMessageTimeoutA(meta, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
  EXPECT_LT(GetTickCount() - opened, 3000u);
  EXPECT_EQ(SendMessageA(GetDlgItem(meta, 11), LVM_GETITEMCOUNT, 0, 0), 1024);
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  EXPECT_TRUE(ambrel_.Folder().ReadFile("Ambrel.mta") == mta);
}

}  // namespace
}  // namespace ambrel::e2e
