// The properties dialog driven as a user drives it: opened from the tray
// menu, its pages chosen by clicking their tabs, boxes and buttons clicked,
// numbers typed; what it changes is seen in notepad, in the clip tree and in
// the program's files.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
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

namespace ambrel::e2e {
namespace {

using Texts = std::vector<std::string>;
enum Page { kMenuPage, kDataPage, kPastePage, kCtrlPage, kOtherPage, kDebugPage };
constexpr unsigned kNoMenuMs = 1500;

POINT CenterOf(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

class Properties : public ::testing::Test {
 protected:
  void TearDown() override {
    notepad_.Close();
    if (HasFailure() && dialog_) ADD_FAILURE() << DescribeControls();
  }
  void StartWithClips(const Texts& texts) {
    ASSERT_TRUE(ambrel_.Start());
    // A first start keeps five clips: room for more is made in the dialog.
    if (texts.size() > 5) {
      ASSERT_NE(Open(), nullptr);
      ASSERT_TRUE(ShowPage(kDataPage));
      ASSERT_TRUE(TypeInto(EditBefore("個まで登録  "), "30"));
      PressKeys({VK_RETURN});
      ASSERT_TRUE(Closed());
    }
    ASSERT_TRUE(notepad_.Start());
    for (const std::string& t : texts) {
      notepad_.SetText(t);
      notepad_.SelectAllAndCopy();
      ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
    }
    ASSERT_TRUE(WaitUntil([&] { return ambrel_.HistoryCaptions().size() >= texts.size(); }, 5000));
  }
  DWORD Pid() { return ambrel_.Proc().Id(); }

  // The tray menu's "ﾌﾟﾛﾊﾟﾃｨ設定...(&B)".
  HWND Open() {
    ambrel_.PostTray(WM_RBUTTONDOWN);
    HWND menu = WaitForPopupMenu(5000, Pid());
    if (!menu) return nullptr;
    ChooseMenuItemByMnemonic(menu, 'B');
    dialog_ = WaitForTopWindow("TOption", 5000, Pid(), "Properties for Ambrel", true);
    if (dialog_) WaitUntil([&] { return GetForegroundWindow() == dialog_; }, 3000);
    return dialog_;
  }
  bool Closed() { return WaitUntil([&] { return !IsWindowVisible(dialog_); }, 5000); }
  // Opens the dialog, clicks these boxes on the control page, presses OK.
  void ClickOnControlPage(std::initializer_list<const char*> boxes) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(ShowPage(kCtrlPage));
    for (const char* box : boxes) ASSERT_TRUE(Click(box)) << box;
    ASSERT_TRUE(Click(" OK "));
    ASSERT_TRUE(Closed());
  }

  // The visible control with this caption.
  HWND Control(const std::string& text) {
    for (const ChildWindow& c : ChildWindows(dialog_))
      if (c.visible && c.text == text) return c.window;
    return nullptr;
  }
  // The visible edit on the row of the label, left of it.
  HWND EditBefore(const std::string& label) {
    HWND l = Control(label);
    if (!l) return nullptr;
    RECT lr{};
    GetWindowRect(l, &lr);
    HWND best = nullptr;
    int bestRight = -100000;
    for (const ChildWindow& c : ChildWindows(dialog_)) {
      if (!c.visible || c.className != "Edit") continue;
      RECT r{};
      GetWindowRect(c.window, &r);
      const int mid = (lr.top + lr.bottom) / 2;
      if (r.top <= mid && mid <= r.bottom && r.right <= lr.left + 2 && r.right > bestRight) {
        best = c.window;
        bestRight = r.right;
      }
    }
    return best;
  }
  bool Click(HWND control) { return control && ClickAt(CenterOf(control)); }
  bool Click(const std::string& caption) { return Click(Control(caption)); }
  bool Checked(const std::string& caption) {
    return SendMessageA(Control(caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  HWND Tabs() { return FindChild(dialog_, "SysTabControl32"); }
  int CurrentPage() { return static_cast<int>(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0)); }
  // A click on the page's tab.
  bool ShowPage(int page) {
    HWND tabs = Tabs();
    RemoteBuffer buffer(tabs, sizeof(RECT));
    if (!buffer.Valid() || !SendMessageA(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(buffer.Address())))
      return false;
    RECT rc{};
    buffer.Read(0, &rc, sizeof rc);
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(tabs, &pt);
    return ClickAt(pt) && WaitUntil([&] { return CurrentPage() == page; }, 3000);
  }
  // Click into the edit, select its text with the keyboard and type over it.
  bool TypeInto(HWND edit, const std::string& digits) {
    if (!Click(edit)) return false;
    PressKeys({VK_END});
    PressKeys({VK_SHIFT, VK_HOME});
    for (char c : digits) PressKeys({static_cast<WORD>(c)});
    return WaitUntil([&] { return WindowText(edit) == digits; }, 3000);
  }
  HWND FocusIn() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
    return info.hwndFocus;
  }
  // Notepad's hot key; the clip menu that opens, or null.
  HWND PressHotKey(std::initializer_list<WORD> keys, unsigned timeoutMs = 5000) {
    if (!BringToForeground(notepad_.Window())) return nullptr;
    PressKeys(keys);
    return WaitForPopupMenu(timeoutMs, Pid());
  }
  std::string DescribeControls() {
    std::string out;
    for (const ChildWindow& c : ChildWindows(dialog_))
      out += c.className + " '" + c.text + "'" + (c.visible ? " shown\n" : "\n");
    return out;
  }

  AmbrelRun ambrel_;
  Notepad notepad_;
  HWND dialog_ = nullptr;
};

// Typed without a modifier, Q becomes Ctrl+Shift+Q; the old key no longer
// opens the menu, and the new one still does after a restart.
TEST_F(Properties, ANewHotKeyOpensTheMenuTheOldOneNotAndItSurvivesARestart) {
  StartWithClips({"one", "two"});
  ASSERT_NE(Open(), nullptr);
  HWND hotKey = FindChild(dialog_, "msctls_hotkey32");
  ASSERT_TRUE(Click(hotKey));
  PressKeys({'Q'});
  ASSERT_TRUE(Click(" OK "));
  ASSERT_TRUE(Closed());

  EXPECT_EQ(PressHotKey({VK_CONTROL, VK_SHIFT, 'V'}, kNoMenuMs), nullptr) << "the old key still works";
  HWND menu = PressHotKey({VK_CONTROL, VK_SHIFT, 'Q'});
  ASSERT_NE(menu, nullptr) << "the new key does not open the menu";
  DismissMenu(menu);

  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  ASSERT_TRUE(ambrel_.Start());
  menu = PressHotKey({VK_CONTROL, VK_SHIFT, 'Q'});
  ASSERT_NE(menu, nullptr) << "the key was not kept";
  DismissMenu(menu);
}

TEST_F(Properties, EachPasteMethodChosenInTheDialogPastesIntoNotepad) {
  StartWithClips({"one", "two"});
  for (const char* method : {"ﾍﾟｰｽﾄ命令を送出", "SHIFT+INS を送出"}) {
    SCOPED_TRACE(method);
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(ShowPage(kPastePage));
    ASSERT_TRUE(Click(method));
    ASSERT_TRUE(Click(" OK "));
    ASSERT_TRUE(Closed());
    notepad_.SetText("[");
    notepad_.MoveCaretToEnd();
    HWND menu = PressHotKey({VK_CONTROL, VK_SHIFT, 'V'});
    ASSERT_NE(menu, nullptr);
    ChooseMenuItemByIndex(menu, 0);
    EXPECT_TRUE(WaitUntil([&] { return notepad_.Text() == "[two"; }, 5000)) << notepad_.Text();
  }
}

// A value out of range keeps the dialog open on its page with the focus on
// the field; a valid one applies at once: the oldest clips go.
TEST_F(Properties, MaxHistoryIsCheckedAndAppliedAtOnce) {
  const Texts clips = {"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"};
  StartWithClips(clips);
  const std::size_t count = ambrel_.HistoryCaptions().size();  // with a first start's sample
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ShowPage(kDataPage));
  HWND field = EditBefore("個まで登録  ");
  ASSERT_NE(field, nullptr);
  // Enter confirms with the focus still in the field, so the spin's range
  // does not catch the value first.
  ASSERT_TRUE(TypeInto(field, "101"));
  PressKeys({VK_RETURN});
  HWND box = WaitForTopWindow("#32770", 5000, Pid(), "", true);
  ASSERT_NE(box, nullptr) << "no message";
  bool saysIt = false;
  for (const ChildWindow& c : ChildWindows(box))
    saysIt = saysIt || c.text.find("クリップデータ登録数の値が範囲を越えています。") != std::string::npos;
  EXPECT_TRUE(saysIt) << DescribeWindows({box});
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000));
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  EXPECT_TRUE(IsWindowVisible(dialog_)) << "the dialog closed";
  EXPECT_EQ(CurrentPage(), kDataPage);
  EXPECT_EQ(FocusIn(), field);
  EXPECT_EQ(ambrel_.HistoryCaptions().size(), count);

  ASSERT_TRUE(TypeInto(field, "5"));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(ambrel_.WaitForHistory({"c8", "c7", "c6", "c5", "c4"})) << ambrel_.DescribeTree();
}

// Changes made and then cancelled with Esc reach nothing, and the dialog
// shows the old values when it opens again.
TEST_F(Properties, CancelChangesNothing) {
  StartWithClips({"c1", "c2", "c3", "c4", "c5", "c6"});
  const std::size_t clips = ambrel_.HistoryCaptions().size();
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ShowPage(kPastePage));
  const bool ctrlV = Checked("CTRL+V を送出");
  ASSERT_TRUE(Click("ﾍﾟｰｽﾄ命令を送出"));
  ASSERT_TRUE(ShowPage(kDataPage));
  HWND field = EditBefore("個まで登録  ");
  const std::string before = WindowText(field);
  ASSERT_TRUE(TypeInto(field, "5"));
  // The font dialog opens over the font button and closes with OK.
  ASSERT_TRUE(ShowPage(kCtrlPage));
  ASSERT_TRUE(Click("ﾌｫﾝﾄ"));
  HWND fonts = WaitForTopWindow("#32770", 5000, Pid(), "", true);
  ASSERT_NE(fonts, nullptr) << "no font dialog";
  PostMessageA(fonts, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fonts) || !IsWindowVisible(fonts); }, 5000));
  ASSERT_TRUE(BringToForeground(dialog_));
  // The key goes where the focus is: once the font dialog has gone, the
  // dialog gets it back a moment after it is in front.
  ASSERT_TRUE(WaitUntil([&] { return FocusIn() && IsChild(dialog_, FocusIn()); }, 3000));
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(Closed());
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  EXPECT_EQ(ambrel_.HistoryCaptions().size(), clips);

  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ShowPage(kDataPage));
  EXPECT_EQ(WindowText(EditBefore("個まで登録  ")), before);
  ASSERT_TRUE(ShowPage(kPastePage));
  EXPECT_EQ(Checked("CTRL+V を送出"), ctrlV);
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(Closed());
}

TEST_F(Properties, TheBottomRightCornerIsWhereTheMenuOpens) {
  StartWithClips({"one"});
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(Click("右下"));
  ASSERT_TRUE(Click(" OK "));
  ASSERT_TRUE(Closed());
  HWND menu = PressHotKey({VK_CONTROL, VK_SHIFT, 'V'});
  ASSERT_NE(menu, nullptr);
  RECT rc{};
  GetWindowRect(menu, &rc);
  DismissMenu(menu);
  EXPECT_NEAR(rc.right, GetSystemMetrics(SM_CXSCREEN), 40);
  EXPECT_NEAR(rc.bottom, GetSystemMetrics(SM_CYSCREEN), 40);
}

TEST_F(Properties, QuitAppliesAndClosesTheEditorWhileTheProgramRunsOn) {
  ASSERT_TRUE(ambrel_.Start());
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != FALSE; }, 5000));
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(Click("右上"));
  ASSERT_TRUE(Click("QUIT"));
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(ambrel_.Editor()); }, 5000)) << "the editor stayed";
  ASSERT_TRUE(ambrel_.WaitForMessagesHandled());
  EXPECT_TRUE(ambrel_.Proc().Running());
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(Checked("右上")) << "QUIT did not apply the setting";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(Closed());
}

// The clip menu's "プロパティ設定..." (the last item but the help line).
TEST_F(Properties, TheClipMenusPropertiesItemOpensTheDialog) {
  StartWithClips({"one"});
  HWND menu = PressHotKey({VK_CONTROL, VK_SHIFT, 'V'});
  ASSERT_NE(menu, nullptr);
  PostKey(menu, VK_UP);
  PostKey(menu, VK_UP);
  PostKey(menu, VK_RETURN);
  dialog_ = WaitForTopWindow("TOption", 5000, Pid(), "Properties for Ambrel", true);
  ASSERT_NE(dialog_, nullptr) << "the dialog did not open";
  // The pointer over a control puts its hint into the status bar.
  HWND status = FindChild(dialog_, "msctls_statusbar32");
  // Its length: "  画面左上にポップアップします", in bytes or, as Wine's status bar
  // keeps its text, in characters.
  auto length = [&] { return LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 1, 0)); };
  ASSERT_TRUE(MouseAt(CenterOf(Control("左上"))));
  EXPECT_TRUE(WaitUntil([&] { return length() == 30 || length() == 16; }, 3000)) << length();
  PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(Closed());
}

// DirectQuit with only the history box: the history file is gone and stays
// gone, the other two are written at exit as usual.
TEST_F(Properties, DirectQuitDeletesTheHistoryAndWritesTheOthers) {
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_TRUE(ambrel_.QuitThroughTrayMenu());
  ASSERT_TRUE(ambrel_.Start());
  TempFolder& folder = ambrel_.Folder();
  ASSERT_TRUE(folder.Exists("Ambrel.hst"));
  DeleteFileA(folder.File("Ambrel.prm").c_str());
  DeleteFileA(folder.File("Ambrel.mta").c_str());
  ASSERT_NE(Open(), nullptr);
  RECT client{};
  GetClientRect(dialog_, &client);
  POINT corner{7, 7};
  ClientToScreen(dialog_, &corner);
  ASSERT_TRUE(ClickAt(corner));  // the flat button in the corner shows the Debug page
  ASSERT_TRUE(WaitUntil([&] { return CurrentPage() == kDebugPage; }, 3000));
  ASSERT_TRUE(Click("HST-file"));
  ASSERT_TRUE(Click("Del&&Through"));
  ASSERT_TRUE(ambrel_.Proc().WaitForExit(10000)) << "the program did not end";
  EXPECT_FALSE(folder.Exists("Ambrel.hst"));
  EXPECT_TRUE(folder.Exists("Ambrel.prm"));
  EXPECT_TRUE(folder.Exists("Ambrel.mta"));
}

// The text fields hold what the parameter file keeps, counted in bytes: a
// paste of full-width text stops at 255 bytes (MenuCap at 30), on a
// character boundary; the MenuId spin offers what the setter keeps.
TEST_F(Properties, TextFieldsStopAtTheStoredBytesAndTheMenuIdSpinAtTheKeptRange) {
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_NE(Open(), nullptr);
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "表";
  const auto pasteInto = [&](HWND edit) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    if (!SetClipboardText(wide) || !Click(edit)) return -1;
    PressKeys({VK_CONTROL, 'V'});  // one paste: whole once it shows
    WaitUntil([&] { return !WindowText(edit).empty(); }, 3000);
    return static_cast<int>(WindowText(edit).size());
  };
  ASSERT_TRUE(ShowPage(kDataPage));
  EXPECT_EQ(pasteInto(EditBefore("  改行文字")), 254);
  ASSERT_TRUE(ShowPage(kPastePage));
  HWND quote = nullptr;
  for (const ChildWindow& c : ChildWindows(dialog_))
    if (c.visible && c.className == "Edit") quote = c.window;
  EXPECT_EQ(pasteInto(quote), 254);
  POINT corner{7, 7};
  ClientToScreen(dialog_, &corner);
  ASSERT_TRUE(ClickAt(corner));  // the Debug page
  ASSERT_TRUE(WaitUntil([&] { return CurrentPage() == kDebugPage; }, 3000));
  EXPECT_EQ(pasteInto(EditBefore(" CAP")), 30);
  HWND spin = nullptr;
  for (const ChildWindow& c : ChildWindows(dialog_))
    if (c.visible && c.className == "msctls_updown32") spin = c.window;
  const LRESULT range = SendMessageA(spin, UDM_GETRANGE, 0, 0);
  EXPECT_EQ(HIWORD(range), 2);
  EXPECT_EQ(LOWORD(range), 0xFFFE);
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(Closed());
}

// Every page: each visible control lies inside the page and each caption
// fits its control in the dialog font. In beginner mode the expert boxes
// are hidden; out of it they show. With AMBREL_PROPERTIES_SHOTS set to a
// folder, a picture of each page is written there.
TEST_F(Properties, EveryPageFitsItsControlsAndBeginnerModeHidesTheExpertOnes) {
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ShowPage(kDataPage));
  EXPECT_EQ(Control("ﾃﾞｨｽﾄﾘﾋﾞｭｰﾄ機能"), nullptr);
  ASSERT_TRUE(ShowPage(kOtherPage));
  if (!Checked("初心者ﾓｰﾄﾞ")) GTEST_SKIP() << "a first start is in beginner mode";
  ASSERT_TRUE(Click("初心者ﾓｰﾄﾞ"));
  ASSERT_TRUE(Click(" OK "));
  ASSERT_TRUE(Closed());

  ASSERT_NE(Open(), nullptr);
  POINT corner{7, 7};
  ClientToScreen(dialog_, &corner);
  ASSERT_TRUE(ClickAt(corner));
  ASSERT_TRUE(WaitUntil([&] { return CurrentPage() == kDebugPage; }, 3000));
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT client{};
  GetClientRect(dialog_, &client);
  const char* shots = std::getenv("AMBREL_PROPERTIES_SHOTS");
  for (int page = kMenuPage; page <= kDebugPage; ++page) {
    SCOPED_TRACE(page);
    ASSERT_TRUE(ShowPage(page));
    if (page == kDataPage) {
      EXPECT_NE(Control("ﾃﾞｨｽﾄﾘﾋﾞｭｰﾄ機能"), nullptr);
    }
    if (page == kPastePage) {
      EXPECT_NE(Control("静的変数を展開する"), nullptr);
    }
    for (const ChildWindow& c : ChildWindows(dialog_)) {
      if (!c.visible || c.text.empty()) continue;
      RECT r{};
      GetWindowRect(c.window, &r);
      MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom) << c.text;
      if (c.className != "Button" && c.className != "Static") continue;
      std::string shown;
      for (std::size_t i = 0; i < c.text.size(); ++i)
        if (c.text[i] != '&' || (i + 1 < c.text.size() && c.text[i + 1] == '&' && ++i)) shown += c.text[i];
      SIZE size{};
      GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
      const LONG style = GetWindowLongA(c.window, GWL_STYLE) & BS_TYPEMASK;
      const bool boxOrRadio = c.className == "Button" && style != BS_PUSHBUTTON && style != BS_DEFPUSHBUTTON &&
                              style != BS_GROUPBOX;
      const int room = (r.right - r.left) - (boxOrRadio ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);
      EXPECT_LE(size.cx, room) << "clipped: " << c.text;
    }
    if (shots) {
      WaitForSentMessagesHandled(dialog_);
      SaveWindowPicture(dialog_, std::string(shots) + "\\properties-page" + std::to_string(page) + ".bmp");
    }
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(Closed());
}


// The editor's properties button opens the dialog; beginner mode switched
// there swaps the editor's tool bar (EditBar1's 12 buttons, EditBar2's 6)
// and its data menu (全ﾃﾞｰﾀ hidden), and back.
TEST_F(Properties, BeginnerModeFromTheEditorsButtonChangesItsBarsAndMenus) {
  ASSERT_TRUE(ambrel_.FirstRunOutOfBeginnerMode());
  ASSERT_TRUE(ambrel_.Start());
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  HWND editor = ambrel_.Editor();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(editor) != 0; }, 5000));
  const auto bar = [&] { return ambrel_.ShownEditBar(); };
  const auto barHas = [&](int buttons) {
    return WaitUntil([&] { return bar() && SendMessageA(bar(), TB_BUTTONCOUNT, 0, 0) == buttons; }, 5000);
  };
  // Whether ﾃﾞｰﾀ's 全ﾃﾞｰﾀ opens.
  const auto allDataOffered = [&] {
    if (!BringToForeground(editor)) return false;
    PressKeys({VK_MENU, 'D'});
    HWND menu = WaitForPopupMenu(5000, Pid());
    // Keys go in once the menu's loop answers the window's sent messages.
    if (!menu || !WaitForSentMessagesHandled(editor)) return false;
    PostKey(menu, 'A');
    const bool offered = WaitForSubmenu(menu, 2000, Pid()) != nullptr;
    DismissMenu(menu);
    DismissMenu(menu);
    WaitForPopupMenuClosed(3000, Pid());
    return offered;
  };
  const auto setBeginner = [&](bool on) {
    RECT rc{};
    ASSERT_TRUE(ToolButtonRect(bar(), editor::kCmdProperties, rc));
    ASSERT_TRUE(BringToForeground(editor));
    ASSERT_TRUE(ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
    dialog_ = WaitForTopWindow("TOption", 5000, Pid(), "Properties for Ambrel", true);
    ASSERT_NE(dialog_, nullptr);
    ASSERT_TRUE(ShowPage(kOtherPage));
    ASSERT_NE(Checked("初心者ﾓｰﾄﾞ"), on);
    ASSERT_TRUE(Click("初心者ﾓｰﾄﾞ"));
    ASSERT_TRUE(Click(" OK "));
    ASSERT_TRUE(Closed());
  };

  ASSERT_TRUE(barHas(12));
  EXPECT_TRUE(allDataOffered());
  ASSERT_NO_FATAL_FAILURE(setBeginner(true));  // through APropBtn
  EXPECT_TRUE(barHas(6));
  EXPECT_FALSE(allDataOffered());
  ASSERT_NO_FATAL_FAILURE(setBeginner(false));  // through BPropBtn
  EXPECT_TRUE(barHas(12));
  EXPECT_TRUE(allDataOffered());
}

// The static-variable window and its editor's add dialog, opened through the
// editor window's commands; the dialog, or null.
HWND OpenMetaEditor(AmbrelRun& ambrel, HWND& meta) {
  PostMessageA(ambrel.Editor(), WM_COMMAND, editor::kCmdMetaList, 0);
  meta = WaitForTopWindow("TMeta", 8000, ambrel.Proc().Id(), "", true);
  if (!meta) return nullptr;
  PostMessageA(meta, WM_COMMAND, variables::kMMMetaAdd, 0);
  return WaitForTopWindow("TMetaEdit", 8000, ambrel.Proc().Id(), "", true);
}

LONG TabStyle(HWND tabs) { return GetWindowLongA(tabs, GWL_STYLE) & (TCS_BOTTOM | TCS_MULTILINE); }

// The default character format of a rich edit of the program.
CHARFORMATA RichEditFormat(HWND edit) {
  RemoteBuffer buffer(edit, sizeof(CHARFORMATA));
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  buffer.Write(0, &format, sizeof format);
  SendMessageA(edit, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(buffer.Address()));
  buffer.Read(0, &format, sizeof format);
  return format;
}
LONG RichEditHeight(HWND edit) { return RichEditFormat(edit).yHeight; }

// The font dialog that opens now: its largest size chosen, then OK.
void ChooseLargestFontSize(DWORD pid) {
  HWND fonts = WaitForTopWindow("#32770", 5000, pid, "", true);
  ASSERT_NE(fonts, nullptr) << "no font dialog";
  HWND sizes = GetDlgItem(fonts, 0x472);  // the size box
  const LRESULT count = SendMessageA(sizes, CB_GETCOUNT, 0, 0);
  ASSERT_GT(count, 0);
  SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  PostMessageA(fonts, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fonts) || !IsWindowVisible(fonts); }, 5000));
}

// UpperTab and MultiLine reach the page controls of the editor, the
// static-variable window, the expression list and the dialog itself.
TEST_F(Properties, TabSettingsReachEveryPageControl) {
  ASSERT_TRUE(ambrel_.Start());
  // From the first start's tabs on top in one row.
  ASSERT_NO_FATAL_FAILURE(ClickOnControlPage({"ｱｯﾊﾟｰﾀﾌﾞﾘｽﾄ", "ﾏﾙﾁﾗｲﾝﾀﾌﾞﾘｽﾄ"}));
  constexpr LONG kBottomRows = TCS_BOTTOM | TCS_MULTILINE;
  EXPECT_EQ(TabStyle(FindChild(ambrel_.Editor(), "SysTabControl32")), kBottomRows);
  HWND regList = FindTopWindow("TRegList", "", Pid());
  ASSERT_NE(regList, nullptr);
  EXPECT_EQ(TabStyle(FindChild(regList, "SysTabControl32")), kBottomRows);
  PostMessageA(ambrel_.Editor(), WM_COMMAND, editor::kCmdMetaList, 0);
  HWND meta = WaitForTopWindow("TMeta", 8000, Pid(), "", true);
  ASSERT_NE(meta, nullptr);
  EXPECT_EQ(TabStyle(FindChild(meta, "SysTabControl32")), kBottomRows);
  SaveWindowPictureIfAsked(meta, "meta-tabs-below");
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(TabStyle(Tabs()), kBottomRows);
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(Closed());
}

// MultiLineBar reaches the editor's tool bars and the static-variable
// editor's, whose buttons carry tool-tips (PopupHint) and status hints.
TEST_F(Properties, ToolBarSettingsReachTheStaticVariableEditorsBar) {
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_NO_FATAL_FAILURE(ClickOnControlPage({"ﾏﾙﾁﾗｲﾝﾊﾞｰ"}));  // on at a first start
  const auto wraps = [](HWND bar) { return (GetWindowLongA(bar, GWL_STYLE) & TBSTYLE_WRAPABLE) != 0; };
  HWND editorBar = ambrel_.ShownEditBar();
  ASSERT_NE(editorBar, nullptr);
  EXPECT_FALSE(wraps(editorBar));
  HWND meta = nullptr;
  HWND metaEdit = OpenMetaEditor(ambrel_, meta);
  ASSERT_NE(metaEdit, nullptr);
  HWND bar = FindChild(metaEdit, TOOLBARCLASSNAMEA);
  ASSERT_NE(bar, nullptr) << "the static-variable editor has no tool bar";
  EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 5);
  EXPECT_FALSE(wraps(bar));
  EXPECT_NE(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0), 0);
  // The pointer over LoadBtn puts its hint into panel 1 of the dialog's status bar.
  RECT load{};
  ASSERT_TRUE(ToolButtonRect(bar, editor::kCmdLoadClip, load));
  ASSERT_TRUE(MouseAt({(load.left + load.right) / 2, (load.top + load.bottom) / 2}));
  HWND status = FindChild(metaEdit, STATUSCLASSNAMEA);
  std::string shown;
  EXPECT_TRUE(WaitUntil([&] {
    return (shown = ReadStatusBarText(status, 1)) == "  エディットに、ファイルからデータを読み込みます";
  }, 3000)) << shown;
  // PopupHint is on (as at a first start): the hint shows as a tip too.
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND tip : FindTopWindows("tooltips_class32", "", Pid()))
      if (IsWindowVisible(tip) && WindowText(tip) == "エディットに、ファイルからデータを読み込みます") return true;
    return false;
  }, 5000)) << "no tip";
  SaveWindowPictureIfAsked(GetDesktopWindow(), "meta-edit-tool-bar");
  PostMessageA(metaEdit, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(metaEdit); }, 5000));
}

// EditFont, chosen in the dialog, reaches the clip editor, the static-variable
// editor's rich edit, the #Input field and the preview.
TEST_F(Properties, TheEditorFontReachesEveryEditor) {
  StartWithClips({"preview"});
  HWND page = FindChild(ambrel_.Editor(), "RichEdit20A");
  ASSERT_NE(page, nullptr);
  const LONG before = RichEditHeight(page);
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ShowPage(kCtrlPage));
  ASSERT_TRUE(Click("ﾌｫﾝﾄ"));
  ASSERT_NO_FATAL_FAILURE(ChooseLargestFontSize(Pid()));
  ASSERT_TRUE(BringToForeground(dialog_));
  ASSERT_TRUE(Click(" OK "));
  ASSERT_TRUE(Closed());
  const LONG chosen = RichEditHeight(page);
  ASSERT_NE(chosen, before) << "the clip editor kept its font";
  // The dialog offers no vertical faces, whose glyphs lie on their side here.
  const std::string face = RichEditFormat(page).szFaceName;
  EXPECT_NE(face.substr(0, 1), "@") << face;

  HWND meta = nullptr;
  HWND metaEdit = OpenMetaEditor(ambrel_, meta);
  ASSERT_NE(metaEdit, nullptr);
  EXPECT_EQ(RichEditHeight(GetDlgItem(metaEdit, 103)), chosen);
  SendMessageA(GetDlgItem(metaEdit, 103), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("$Year 静的変数"));
  SaveWindowPictureIfAsked(metaEdit, "meta-edit-font");
  PostMessageA(metaEdit, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(metaEdit); }, 5000));

  PostMessageA(ambrel_.Editor(), WM_COMMAND, editor::kCmdTestInput, 0);
  HWND input = WaitForTopWindow("TInput", 8000, Pid(), "", true);
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(RichEditHeight(GetDlgItem(input, 101)), chosen);
  SaveWindowPictureIfAsked(input, "input-font");
  PostMessageA(input, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(input); }, 5000));

  PostMessageA(ambrel_.Editor(), WM_COMMAND, editor::kCmdPreview, 0);
  HWND preview = WaitForTopWindow("TPreView", 8000, Pid(), "", true);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(RichEditHeight(FindChild(preview, "RichEdit20A")), chosen);
  SaveWindowPictureIfAsked(preview, "preview-font");
  PostMessageA(preview, WM_CLOSE, 0, 0);
}

// The preview's own font item: the font dialog stands over the preview, which
// stays open and shows the chosen font.
TEST_F(Properties, ThePreviewsFontItemChangesWhatItShows) {
  StartWithClips({"preview"});
  ambrel_.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel_.Editor()) != FALSE; }, 5000));
  PostMessageA(ambrel_.Editor(), WM_COMMAND, editor::kCmdPreview, 0);
  HWND preview = WaitForTopWindow("TPreView", 8000, Pid(), "", true);
  ASSERT_NE(preview, nullptr);
  HWND edit = FindChild(preview, "RichEdit20A");
  const LONG before = RichEditHeight(edit);
  PostMessageA(preview, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), -1);
  HWND menu = WaitForPopupMenu(5000, Pid());
  ASSERT_NE(menu, nullptr);
  ChooseMenuItemByMnemonic(menu, 'F');
  ASSERT_NO_FATAL_FAILURE(ChooseLargestFontSize(Pid()));
  EXPECT_TRUE(WaitUntil([&] { return RichEditHeight(edit) != before; }, 3000)) << "the font did not change";
  EXPECT_TRUE(IsWindowVisible(preview)) << "the preview closed under its font dialog";
  PostMessageA(preview, WM_CLOSE, 0, 0);
}

// The tray's properties item shows the editor window first, the dialog over it.
TEST_F(Properties, TheTrayItemOpensTheDialogOverTheEditor) {
  ASSERT_TRUE(ambrel_.Start());
  ASSERT_FALSE(IsWindowVisible(ambrel_.Editor()));
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(IsWindowVisible(ambrel_.Editor()));
  EXPECT_FALSE(IsWindowEnabled(ambrel_.Editor())) << "the dialog is not the editor's";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(Closed());
}

}  // namespace
}  // namespace ambrel::e2e
