#include "properties/option_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "help_contexts.h"
#include "options/option_control_ids.h"
#include "options/settings_table.h"
#include "platform/dialog_placement_win32.h"
#include "platform/edit_byte_limit_win32.h"
#include "platform/list_view_win32.h"
#include "platform/message_box.h"
#include "platform/std_edit_menu_win32.h"
#include "platform/window_text_win32.h"
#include "properties/font_chooser_win32.h"

namespace ambrel::win32 {
namespace {

using namespace options::controls;


enum Page : int { kAll = -1, kMenuPg, kDataPg, kPastePg, kCtrlPg, kOtherPg, kDebugPg };
constexpr int kPageCount = 6;
const char* const kPageCaptions[kPageCount] = {" ﾒﾆｭｰ ", " ﾃﾞｰﾀ ", " ﾍﾟｰｽﾄ ", " ｺﾝﾄﾛｰﾙ ", " その他 ", " Debug "};
constexpr int kPageHelp[kPageCount] = {kHelpPropMenuPage, kHelpPropDataPage, kHelpPropPastePage,
                                       kHelpPropControlPage, kHelpPropOtherPage, kHelpContents};
constexpr int kDialogHelp = kHelpProperties;

constexpr DWORD kChild = WS_CHILD;
constexpr DWORD kGroup = kChild | BS_GROUPBOX;
constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = kChild | BS_AUTORADIOBUTTON;
constexpr DWORD kEdit = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kSpin = kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kLabel = kChild | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kPush = kChild | WS_TABSTOP | BS_PUSHBUTTON;
const char* const kButton = "BUTTON";
const char* const kStatic = "STATIC";
const char* const kEditCls = "EDIT";

const char kPosHint[] = "画面右上にポップアップします";
const char kDebugHint[] = "うっ、ここはご勘弁を(^_^;)。絶対に触らないでね。保証無し。";

const DialogControl kControls[] = {
    // Menu page
    {kKeyBox, kButton, " ﾎﾟｯﾌﾟｱｯﾌﾟｷｰ ", kGroup, 7, 0, 124, 34, "Ambrelのポップアップキーを指定します", kHelpPropHotKey, kMenuPg, false},
    {kHotKey, HOTKEY_CLASSA, "", kChild | WS_TABSTOP | WS_BORDER, 15, 13, 108, 13,
     "Ambrelのポップアップキーを指定します", kHelpPropHotKey, kMenuPg, false},
    {kExtMenuBox, kButton, " ｶﾞｲﾀﾞﾝｽﾒﾆｭｰ ", kGroup, 7, 38, 124, 60, nullptr, kHelpPropGuidanceMenu, kMenuPg, false},
    {kMenuMenuBtn, kButton, "ﾒﾆｭｰｳｲﾝﾄﾞｳを開く", kCheck, 15, 51, 112, 12,
     "メニューウインドウを開く拡張項目を表示します", kHelpPropGuidanceMenu, kMenuPg, false},
    {kOptionMenuBtn, kButton, "ﾌﾟﾛﾊﾟﾃｨの設定", kCheck, 15, 65, 112, 12,
     "プロパティウインドウを開く拡張項目を表示します", kHelpPropGuidanceMenu, kMenuPg, false},
    {kHelpMenuBtn, kButton, "ｵﾝﾗｲﾝﾍﾙﾌﾟを開く", kCheck, 15, 79, 112, 12,
     "ヘルプを開く拡張項目を表示します", kHelpPropGuidanceMenu, kMenuPg, false},
    {kPopupPosBox, kButton, " ﾎﾟｯﾌﾟｱｯﾌﾟ位置 ", kGroup, 137, 0, 124, 98, kPosHint, kHelpPropPopupPosition, kMenuPg, false},
    {kCursorBtn, kButton, "ﾏｳｽｶｰｿﾙ位置", kRadio | WS_GROUP | WS_TABSTOP, 145, 13, 110, 12,
     "マウスカーソル位置にポップアップします", kHelpPropPopupPosition, kMenuPg, false},
    {kLeftUpBtn, kButton, "左上", kRadio, 145, 29, 110, 12, "画面左上にポップアップします", kHelpPropPopupPosition, kMenuPg, false},
    {kLeftLowBtn, kButton, "左下", kRadio, 145, 45, 110, 12, "画面左下にポップアップします", kHelpPropPopupPosition, kMenuPg, false},
    {kRightUpBtn, kButton, "右上", kRadio, 145, 61, 110, 12, "画面右上にポップアップします", kHelpPropPopupPosition, kMenuPg, false},
    {kRightLowBtn, kButton, "右下", kRadio, 145, 77, 110, 12, "画面右下にポップアップします", kHelpPropPopupPosition, kMenuPg, false},
    {kLinkBox, kButton, " ﾒﾆｭｰﾘﾝｸ ", kGroup | WS_GROUP, 7, 102, 254, 30, nullptr, kHelpPropMenuLink, kMenuPg, false},
    {kMenuLinkBtn, kButton, "編集ﾒﾆｭｰとﾘﾝｸする", kCheck, 15, 115, 200, 12,
     "他のアプリケーションの編集メニューとリンクします", kHelpPropMenuLink, kMenuPg, false},
    // Data page
    {kCdSetBox, kButton, " 登録条件 ", kGroup, 7, 0, 254, 62, nullptr, 0, kDataPg, false},
    {kMaxHistoryEdit, kEditCls, "", kEdit | ES_NUMBER, 15, 13, 36, 13,
     "登録可能な動的データの個数を指定します", kHelpPropMaxHistory, kDataPg, false},
    {kMaxHistorySpin, UPDOWN_CLASSA, "", kSpin, 0, 0, 0, 0, nullptr, kHelpPropMaxHistory, kDataPg, false},
    {kMaxHistoryLabel, kStatic, "個まで登録  ", kLabel, 55, 15, 60, 10,
     "登録可能な動的データの個数を指定します", kHelpPropMaxHistory, kDataPg, false},
    {kDuplicateBtn, kButton, "重複チェックを行う", kCheck, 125, 13, 130, 12,
     "クリップデータ登録時に重複チェックをするかしないかを指定します", kHelpPropDuplicate, kDataPg, false},
    {kDistributeBtn, kButton, "ﾃﾞｨｽﾄﾘﾋﾞｭｰﾄ機能", kCheck, 15, 30, 105, 12,
     "ユーザーメニューへのオートポストをするかしないかを指定します", kHelpPropDistribute, kDataPg, true},
    {kFullMatchingBtn, kButton, "ﾌﾙﾏｯﾁﾝｸﾞ", kCheck, 125, 30, 130, 12,
     "ポスト時にクリップデータ全体とマッチングします", kHelpPropFullMatching, kDataPg, true},
    {kDataSaveBtn, kButton, "ｸﾘｯﾌﾟﾃﾞｰﾀの自動保存", kCheck, 15, 45, 140, 12,
     "クリップボードの履歴データを自動保存します", kHelpPropDataSave, kDataPg, false},
    {kViewBox, kButton, " 表示制御 ", kGroup, 7, 66, 254, 84, nullptr, 0, kDataPg, false},
    {kMenuLenEdit, kEditCls, "", kEdit | ES_NUMBER, 15, 79, 36, 13,
     "クリップデータの表示最大長を指定します", kHelpPropMenuLen, kDataPg, false},
    {kMenuLenSpin, UPDOWN_CLASSA, "", kSpin, 0, 0, 0, 0, nullptr, kHelpPropMenuLen, kDataPg, false},
    {kMenuLenLabel, kStatic, "文字まで表示 ", kLabel, 55, 81, 64, 10,
     "クリップデータの表示最大長を指定します", kHelpPropMenuLen, kDataPg, false},
    {kFirstLineBtn, kButton, "先頭行のみ表示する", kCheck, 125, 79, 130, 12,
     "全データ表示か、先頭行のみ表示するかを指します", kHelpPropFirstLine, kDataPg, false},
    {kCrEdit, kEditCls, "", kEdit, 15, 98, 50, 13, "改行文字の代わりに表示する文字を指定します", kHelpPropCrChar, kDataPg, false},
    {kCrLabel, kStatic, "  改行文字", kLabel, 67, 100, 52, 10, "改行文字の代わりに表示する文字を指定します",
     kHelpPropCrChar, kDataPg, false},
    {kTabEdit, kEditCls, "", kEdit, 125, 98, 50, 13,
     "タブ文字の代わりに表示する文字を指定します", kHelpPropTabChar, kDataPg, false},
    {kTabLabel, kStatic, "   タブ文字", kLabel, 177, 100, 60, 10, "タブ文字の代わりに表示する文字を指定します",
     kHelpPropTabChar, kDataPg, false},
    {kSpaceCharEdit, kEditCls, "", kEdit, 15, 117, 50, 13, "空白文字の代わりに表示する文字を指定します", kHelpPropSpaceChar,
     kDataPg, false},
    {kSpaceCharLabel, kStatic, "  空白文字", kLabel, 67, 119, 52, 10,
     "空白文字の代わりに表示する文字を指定します", kHelpPropSpaceChar, kDataPg, false},
    {kChgSpaceBtn, kButton, "空白文字を置き換える", kCheck, 125, 117, 130, 12,
     "空白文字を置き換えるかどうかを指定します", kHelpPropChangeSpace, kDataPg, false},
    // Paste page
    {kPasteBox, kButton, " ﾍﾟｰｽﾄ方法 ", kGroup, 7, 0, 254, 60, nullptr, kHelpPropPasteMethod, kPastePg, false},
    {kPasteMsgBtn, kButton, "ﾍﾟｰｽﾄ命令を送出", kRadio | WS_GROUP | WS_TABSTOP, 15, 13, 200, 12,
     "コントロールに WM_PASTE を送ります", kHelpPropPasteMethod, kPastePg, false},
    {kPasteCtrlVBtn, kButton, "CTRL+V を送出", kRadio, 15, 28, 200, 12,
     "コントロールに CTRL+V の仮想キーを送ります", kHelpPropPasteMethod, kPastePg, false},
    {kPasteInsBtn, kButton, "SHIFT+INS を送出", kRadio, 15, 43, 200, 12,
     "コントロールに SHIFT+INS の仮想キーを送ります", kHelpPropPasteMethod, kPastePg, false},
    {kQuoteBox, kButton, " 引用符 ", kGroup | WS_GROUP, 7, 64, 254, 32, nullptr, kHelpPropQuote, kPastePg, false},
    {kQuoteEdit, kEditCls, "", kEdit, 15, 77, 120, 13, "ペースト時の引用符を指定します", kHelpPropQuote, kPastePg, false},
    {kMetaBox, kButton, " 静的変数 ", kGroup, 7, 100, 254, 46, nullptr, 0, kPastePg, true},
    {kMetaBtn, kButton, "静的変数を展開する", kCheck, 15, 113, 200, 12, "静的データの変数を展開します", kHelpPropMetaExpand,
     kPastePg, true},
    {kStaCmntBtn, kButton, "ｺﾒﾝﾄを使用する", kCheck, 15, 128, 200, 12,
     "静的データ先頭行の ';' で始まるデータをコメントとみなします", kHelpPropStaticComment, kPastePg, true},
    // Control page
    {kEditBox, kButton, " ｴﾃﾞｨﾀ ", kGroup, 7, 0, 124, 50, nullptr, kHelpPropEditor, kCtrlPg, false},
    {kFontBtn, kButton, "ﾌｫﾝﾄ", kPush, 15, 12, 108, 17, "エディットのフォントを指定します", kHelpPropEditor, kCtrlPg, false},
    {kWordWrapBtn, kButton, "ﾜｰﾄﾞﾗｯﾌﾟ処理", kCheck, 15, 33, 108, 12,
     "エディットのワードラップをするかしないかを指定します", kHelpPropEditor, kCtrlPg, false},
    {kPageCtrlBox, kButton, " ﾍﾟｰｼﾞｾﾚｸﾀ ", kGroup, 137, 0, 124, 50, nullptr, kHelpPropPageTabs, kCtrlPg, false},
    {kUpperTabBtn, kButton, "ｱｯﾊﾟｰﾀﾌﾞﾘｽﾄ", kCheck, 145, 14, 110, 12,
     "ページセレクトタブを上部に表示するかしないかを指定します", kHelpPropPageTabs, kCtrlPg, false},
    {kMultiLineBtn, kButton, "ﾏﾙﾁﾗｲﾝﾀﾌﾞﾘｽﾄ", kCheck, 145, 31, 110, 12,
     "ページセレクトタブを複数行で表示するかしないかをします", kHelpPropPageTabs, kCtrlPg, false},
    {kListBox, kButton, " ﾘｽﾄﾋﾞｭｰ ", kGroup, 7, 54, 124, 46, nullptr, kHelpPropListAndToolBar, kCtrlPg, false},
    {kGridLineBtn, kButton, "ｸﾞﾘｯﾄﾞﾗｲﾝ", kCheck, 15, 67, 110, 12,
     "リストビューのグリッドライン表示モードを指定します", kHelpPropListAndToolBar, kCtrlPg, false},
    {kListAutoSelBtn, kButton, "#List( )のｵｰﾄｾﾚｸﾄ", kCheck, 15, 82, 110, 12,
     "#Listのリスト項目を自動選択します", kHelpPropListAndToolBar, kCtrlPg, true},
    {kTreeBox, kButton, " ﾂﾘｰﾋﾞｭｰ ", kGroup, 137, 54, 124, 46, nullptr, kHelpPropTreeView, kCtrlPg, false},
    {kTreeBtnBtn, kButton, "ﾎﾞﾀﾝ表示", kCheck, 145, 67, 110, 12, "ツリービューの展開ボタンを表示します", kHelpPropTreeView,
     kCtrlPg, false},
    {kTreeAutoSelBtn, kButton, "#Tree( )のｵｰﾄｾﾚｸﾄ", kCheck, 145, 82, 110, 12,
     "#Treeのツリー項目を自動選択します", kHelpPropTreeView, kCtrlPg, true},
    {kToolBarBox, kButton, " ﾂｰﾙﾊﾞｰ ", kGroup, 7, 104, 254, 30, nullptr, kHelpPropListAndToolBar, kCtrlPg, false},
    {kMultiLineBarBtn, kButton, "ﾏﾙﾁﾗｲﾝﾊﾞｰ", kCheck, 15, 117, 110, 12, "ツールバーを複数行表示にします", kHelpPropListAndToolBar,
     kCtrlPg, false},
    {kHintBtn, kButton, "ﾎﾟｯﾌﾟｱｯﾌﾟﾋﾝﾄ", kCheck, 145, 117, 110, 12,
     "ツールバーのポップアップヒントを表示します", kHelpPropPopupHint, kCtrlPg, false},
    // Other page
    {kAppliBox, kButton, " 動作 ", kGroup, 7, 0, 254, 30, nullptr, kHelpPropBeginner, kOtherPg, false},
    {kBeginnerBtn, kButton, "初心者ﾓｰﾄﾞ", kCheck, 15, 13, 200, 12, "拡張機能を使わない時はチェックを付けて下さい",
     kHelpPropBeginner, kOtherPg, false},
    {kStyleBox, kButton, " 表示 ", kGroup, 7, 34, 254, 50, nullptr, kHelpPropWindowStyle, kOtherPg, false},
    {kStyleBtn, kButton, "ｳｲﾝﾄﾞｳを縦割りにする", kCheck, 15, 47, 200, 12,
     "メニューウインドウのスタイルを縦割りにします", kHelpPropWindowStyle, kOtherPg, false},
    {kIntervalEdit, kEditCls, "", kEdit | ES_NUMBER, 15, 63, 30, 13,
     "作業中メッセージの表示インターバル秒数を指定します", kHelpPropInterval, kOtherPg, false},
    {kIntervalSpin, UPDOWN_CLASSA, "", kSpin, 0, 0, 0, 0, nullptr, kHelpPropInterval, kOtherPg, false},
    {kIntervalLabel, kStatic, "秒で作業報告 ", kLabel, 49, 65, 70, 10,
     "作業中メッセージの表示インターバル秒数を指定します", kHelpPropInterval, kOtherPg, false},
    // Debug page
    {kQuitBox, kButton, "DirectQuit", kGroup, 7, 0, 80, 78, kDebugHint, 0, kDebugPg, false},
    {kQPrmBtn, kButton, "PRM-file", kCheck, 13, 12, 70, 12, kDebugHint, 0, kDebugPg, false},
    {kQHstBtn, kButton, "HST-file", kCheck, 13, 26, 70, 12, kDebugHint, 0, kDebugPg, false},
    {kQMetaBtn, kButton, "MTA-file", kCheck, 13, 40, 70, 12, kDebugHint, 0, kDebugPg, false},
    {kDirectQuitBtn, kButton, "Del&&Through", kPush, 13, 57, 68, 15, kDebugHint, 0, kDebugPg, false},
    {kDebugBox, kButton, "Execute", kGroup, 93, 0, 82, 78, kDebugHint, 0, kDebugPg, false},
    {kDebugModeBtn, kButton, "DebugMode", kCheck, 99, 12, 72, 12, kDebugHint, 0, kDebugPg, false},
    {kDirectPopupBtn, kButton, "DirectPopup", kCheck, 99, 26, 72, 12, kDebugHint, 0, kDebugPg, false},
    {kSelfFocusBtn, kButton, "SelfFocus", kCheck, 99, 40, 72, 12, kDebugHint, 0, kDebugPg, false},
    {kDskTpFocusBtn, kButton, "DsktopFocus", kCheck, 99, 54, 72, 12, kDebugHint, 0, kDebugPg, false},
    {kDlgBox, kButton, "Dialogs", kGroup, 181, 0, 80, 78, kDebugHint, 0, kDebugPg, false},
    {kLogoBtn, kButton, "Logo-Dlg  ", kPush, 187, 11, 68, 14, kDebugHint, 0, kDebugPg, false},
    {kHelloBtn, kButton, "Hello-Dlg", kPush, 187, 27, 68, 14, kDebugHint, 0, kDebugPg, false},
    {kMsgBtn, kButton, "Msg-Dlg", kPush, 187, 43, 68, 14, kDebugHint, 0, kDebugPg, false},
    {kPsgBtn, kButton, "Wait-Dlg", kPush, 187, 59, 68, 14, kDebugHint, 0, kDebugPg, false},
    {kNoBox, kButton, "Handle&&Msgs", kGroup, 7, 82, 80, 40, kDebugHint, 0, kDebugPg, false},
    {kPstCaption, kStatic, "Paste ： ", kLabel, 13, 95, 34, 10, kDebugHint, 0, kDebugPg, false},
    {kPstMsgLabel, kStatic, "", kLabel, 47, 95, 38, 10, kDebugHint, 0, kDebugPg, false},
    {kCmdCaption, kStatic, "Popup ： ", kLabel, 13, 108, 34, 10, kDebugHint, 0, kDebugPg, false},
    {kCmdMsgLabel, kStatic, "", kLabel, 47, 108, 38, 10, kDebugHint, 0, kDebugPg, false},
    {kPropBox, kButton, "Properties", kGroup, 93, 82, 82, 40, kDebugHint, 0, kDebugPg, false},
    {kTreeHCaption, kStatic, "TreeH ： ", kLabel, 99, 95, 34, 10, kDebugHint, 0, kDebugPg, false},
    {kTreeHLabel, kStatic, "", kLabel, 133, 95, 38, 10, kDebugHint, 0, kDebugPg, false},
    {kTreeWCaption, kStatic, "TreeW ： ", kLabel, 99, 108, 34, 10, kDebugHint, 0, kDebugPg, false},
    {kTreeWLabel, kStatic, "", kLabel, 133, 108, 38, 10, kDebugHint, 0, kDebugPg, false},
    {kDllBox, kButton, "DLL", kGroup, 181, 82, 80, 62, kDebugHint, 0, kDebugPg, false},
    {kMenuIdEdit, kEditCls, "", kEdit | ES_NUMBER, 187, 94, 44, 13, kDebugHint, 0, kDebugPg, false},
    {kMenuIdSpin, UPDOWN_CLASSA, "", kSpin, 0, 0, 0, 0, nullptr, 0, kDebugPg, false},
    {kMenuIdLabel, kStatic, " MID", kLabel, 233, 96, 24, 10, kDebugHint, 0, kDebugPg, false},
    {kMenuCapEdit, kEditCls, "", kEdit, 187, 110, 44, 13, kDebugHint, 0, kDebugPg, false},
    {kMenuCapLabel, kStatic, " CAP", kLabel, 233, 112, 24, 10, kDebugHint, 0, kDebugPg, false},
    {kEditLinkBtn, kButton, "EditLink", kCheck, 187, 127, 68, 12, kDebugHint, 0, kDebugPg, false},
    // Below the pages
    {IDOK, kButton, " OK ", kPush | BS_DEFPUSHBUTTON, 5, 0, 56, 16, "設定内容を確定します", 0, kAll, false},
    {kQuitBtn, kButton, "QUIT", kPush, 66, 0, 56, 16, "設定内容を確定し、メニューを閉じます", 0, kAll, false},
    {IDCANCEL, kButton, "ｷｬﾝｾﾙ", kPush, 127, 0, 56, 16, "設定を中止します", 0, kAll, false},
    {kHelpBtn, kButton, "ﾍﾙﾌﾟ  ", kPush, 207, 0, 56, 16, "オンラインヘルプを表示します", 0, kAll, false},
};

struct SpinSpec {
  int spin, edit, minimum, maximum;
};
constexpr SpinSpec kSpins[] = {
    {kMaxHistorySpin, kMaxHistoryEdit, 5, 100},
    {kMenuLenSpin, kMenuLenEdit, 20, 200},
    {kIntervalSpin, kIntervalEdit, 1, 10},
    // What the setter keeps: a typed id is never changed behind the user's back.
    {kMenuIdSpin, kMenuIdEdit, options::kMinMenuId, options::kMaxMenuId},
};
constexpr std::size_t kIntervalDigits = 2;

constexpr int kWidthUnits = 268, kTabHeightUnits = 180, kButtonUnits = 16;
// The designed top of a page's area, below one row of tabs.
constexpr int kTabTopPixels = 16, kPageMarginUnits = 4;

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Check(HWND button, bool on) { SendMessageA(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

// The spin beside a number's edit field; every number the dialog shows has one.
const SpinSpec& SpinOf(int editId) {
  for (const SpinSpec& s : kSpins)
    if (s.edit == editId) return s;
  return kSpins[0];
}

}  // namespace

OptionDialog::OptionDialog(DialogHost& host, const properties::OptionHolders& holders, OptionServices services)
    : ModalDialog(host, kDialogHelp), dialogHost_(host), holders_(holders), s_(std::move(services)) {}

OptionDialog::~OptionDialog() { holders_.settings.RemoveObserver(this); }

bool OptionDialog::Create() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES |
                                                     ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const DialogUnits du;
  const int statusUnits = 14;
  const int tabTopUnits = kTabTopPixels * 8 / du.Y(8);
  const int heightUnits = tabTopUnits + kTabHeightUnits + 4 + kButtonUnits + 5 + statusUnits;
  if (!CreateDialogWindow("TOption", "Properties for Ambrel", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          WS_EX_DLGMODALFRAME, kWidthUnits, heightUnits))
    return false;
  holders_.settings.AddObserver(this);
  return true;
}

void OptionDialog::OnCreate() {
  HWND tabs = AddControl(WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, kPageCtrl);
  for (int page = 0; page < kDebugPg; ++page) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[page]);
    SendMessageA(tabs, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
  }
  HWND debug = AddControl("BUTTON", "", BS_PUSHBUTTON | BS_FLAT, kDebugBtn);
  MoveWindow(debug, 0, 0, 15, 15, FALSE);  // a small square in the corner, in pixels
  AddControls(kControls);
  for (const SpinSpec& s : kSpins) {
    SendMessageA(Item(s.spin), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(s.edit)), 0);
    SendMessageA(Item(s.spin), UDM_SETRANGE32, s.minimum, s.maximum);
  }
  // A text field holds as many bytes as the parameter file keeps of it, so
  // what is typed is what is kept.
  for (const options::SettingRow& row : options::SettingRows())
    if (row.kind == options::SettingKind::kText && row.InDialog()) LimitEditBytes(Item(row.control), row.width);
  LimitEditBytes(Item(kIntervalEdit), kIntervalDigits);
  for (int id : {kCrEdit, kSpaceCharEdit, kTabEdit, kQuoteEdit}) AttachStdEditMenu(Item(id));
  // No modifier, or Shift alone, is turned into Ctrl+Shift as it is typed.
  SendMessageA(Item(kHotKey), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_SHIFT, 0));
  HWND status = AddControl(STATUSCLASSNAMEA, "", 0, kStatusBar);
  int parts[2] = {23, -1};
  SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  // The pages' controls lie over the page control, which draws around them.
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(debug, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ApplyTabStyle();
}

// Places the tab control, the pages' controls inside its display area (which
// moves with the tabs' position and rows) and the buttons below.
void OptionDialog::PlaceControls() {
  const DialogUnits& du = Units();
  RECT client{};
  GetClientRect(hwnd(), &client);
  HWND tabs = Item(kPageCtrl);
  const int tabTop = kTabTopPixels, tabLeft = du.X(5), tabWidth = du.X(kWidthUnits - 10);
  const int tabHeight = du.Y(kTabHeightUnits);
  MoveWindow(tabs, tabLeft, tabTop, tabWidth, tabHeight, TRUE);
  RECT display{tabLeft, tabTop, tabLeft + tabWidth, tabTop + tabHeight};
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const int pageTop = display.top + du.Y(kPageMarginUnits);
  const int buttonTop = tabTop + tabHeight + du.Y(4);
  for (const DialogControl& c : kControls) {
    if (c.w == 0) continue;  // spins sit on their edits
    PlaceControl(c, 0, c.page == kAll ? buttonTop : pageTop);
  }
  for (const SpinSpec& s : kSpins)
    SendMessageA(Item(s.spin), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(s.edit)), 0);
  SendMessageA(Item(kStatusBar), WM_SIZE, 0, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void OptionDialog::ApplyTabStyle() {
  SetTabPlacement(Item(kPageCtrl), holders_.settings.UpperTab(), holders_.settings.MultiLine());
  PlaceControls();
}

void OptionDialog::OnSettingChanged(options::Setting which) {
  if (which == options::Setting::kUpperTab || which == options::Setting::kMultiLine) ApplyTabStyle();
}

int OptionDialog::CurrentPage() const {
  return static_cast<int>(SendMessageA(Item(kPageCtrl), TCM_GETCURSEL, 0, 0));
}

void OptionDialog::ShowPage(int page) {
  SendMessageA(Item(kPageCtrl), TCM_SETCURSEL, page, 0);
  const bool beginner = holders_.settings.Beginner();
  for (const DialogControl& c : kControls) {
    if (c.page == kAll) continue;
    const bool shown = c.page == page && !(c.expert && beginner);
    ShowWindow(Item(c.id), shown ? SW_SHOWNA : SW_HIDE);
  }
  // Drawn again at once, the dialog before its children, so that nothing of
  // the other page's controls is left where the page control lies beneath.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT OptionDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_SETCURSOR:
      OnSetCursor(reinterpret_cast<HWND>(wParam));
      return Default(msg, wParam, lParam);
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

void OptionDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom == kPageCtrl && header.code == TCN_SELCHANGE) ShowPage(CurrentPage());
}

void OptionDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK: OnConfirm(false); break;
    case kQuitBtn: OnConfirm(true); break;
    case IDCANCEL: EndModal(false); break;
    case kHelpBtn: {
      const int page = CurrentPage();
      if (page >= 0 && page < kPageCount && kPageHelp[page] != kHelpContents) OpenHelp(kPageHelp[page]);
      break;
    }
    case kDebugBtn: OnDebugButton(); break;
    case kFontBtn: OnFontButton(); break;
    case kDirectQuitBtn: OnDirectQuit(); break;
    case kLogoBtn: OnLogoButton(); break;
    case kHelloBtn: if (s_.showHello) s_.showHello(); break;
    case kMsgBtn: s_.messages.ErrorBox("試験", 0); break;
    case kPsgBtn: if (s_.runDemoWork) s_.runDemoWork(); break;
    case kMaxHistoryEdit:
    case kMenuLenEdit:
    case kIntervalEdit:
    case kMenuIdEdit:
      if (code == EN_KILLFOCUS) ClampSpin(id);
      break;
    default: break;
  }
}

// A spin field that loses the focus is put into its own range.
void OptionDialog::ClampSpin(int editId) {
  for (const SpinSpec& s : kSpins) {
    if (s.edit != editId) continue;
    const int value = std::clamp(options::SpinFieldValue(WindowText(Item(s.edit)), s.minimum), s.minimum, s.maximum);
    if (WindowText(Item(s.edit)) != std::to_string(value)) SetWindowTextA(Item(s.edit), std::to_string(value).c_str());
  }
}

bool OptionDialog::OnConfirm(bool quit) {
  const options::OptionValues values = ReadControls();
  if (const std::optional<options::OptionFailure> failure = options::ValidateOptions(values)) {
    s_.messages.ErrorBox(failure->message, failure->helpContext);
    ShowPage(static_cast<int>(failure->page));
    HWND field = Item(options::RowOf(failure->which).control);
    SetFocus(field);
    if (failure->field != options::OptionField::kHotKey) SendMessageA(field, EM_SETSEL, 0, -1);
    return false;
  }
  properties::StoreOptionValues(values, holders_);
  quit_ = quit;
  EndModal(!quit);
  return true;
}

// Tab typed in the tab-character field is that character, not a move.
bool OptionDialog::PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || msg.hwnd != Item(kTabEdit)) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0) return false;
  SendMessageA(msg.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\t"));
  return true;
}

void OptionDialog::OnDebugButton() {
  HWND tabs = Item(kPageCtrl);
  debugTab_ = !debugTab_;
  if (debugTab_) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[kDebugPg]);
    SendMessageA(tabs, TCM_INSERTITEMA, kDebugPg, reinterpret_cast<LPARAM>(&item));
  } else {
    SendMessageA(tabs, TCM_DELETEITEM, kDebugPg, 0);
  }
  holders_.settings.SetShowDebugPage(debugTab_);
  PlaceControls();
  ShowPage(debugTab_ ? kDebugPg : kMenuPg);
}

void OptionDialog::OnFontButton() {
  options::EditorFont font = buttonFont_;
  const bool chosen = ChooseFont(hwnd(), dialogHost_, font);
  // The keys come back to the button that opened the font dialog: the
  // system does not always give the dialog its focus back when it is
  // activated again, and Esc or Enter then went nowhere.
  SetFocus(Item(kFontBtn));
  if (!chosen) return;
  buttonFont_ = font;
  buttonFontHandle_ = CreateEditorFont(buttonFont_);
  SendMessageA(Item(kFontBtn), WM_SETFONT, reinterpret_cast<WPARAM>(buttonFontHandle_.get()), TRUE);
}

// The checked files are deleted now and not written again at exit: OK turns
// off their write-back, and the program ends as by its quit command.
void OptionDialog::OnDirectQuit() {
  const std::pair<int, const std::string*> files[] = {
      {kQPrmBtn, &s_.paramFile}, {kQHstBtn, &s_.historyFile}, {kQMetaBtn, &s_.metaFile}};
  for (const auto& [box, path] : files)
    if (Checked(Item(box))) DeleteFileA(path->c_str());
  if (OnConfirm(false) && s_.endProgram) s_.endProgram();
}

void OptionDialog::OnLogoButton() {
  if (s_.showLogo) s_.showLogo();
}

void OptionDialog::ShowHint(const char* hint) {
  const std::string text = std::string("  ") + (hint ? hint : "");
  SendMessageA(Item(kStatusBar), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

// Group boxes let the mouse through to the page control beneath them; there
// the hint is that of the group under the pointer.
void OptionDialog::OnSetCursor(HWND over) {
  if (over == Item(kPageCtrl)) {
    POINT pt{};
    GetCursorPos(&pt);
    for (const DialogControl& c : kControls) {
      if ((c.style & BS_TYPEMASK) != BS_GROUPBOX || c.cls != kButton || !c.hint || !IsWindowVisible(Item(c.id))) continue;
      RECT rc{};
      GetWindowRect(Item(c.id), &rc);
      if (PtInRect(&rc, pt)) return ShowHint(c.hint);
    }
    if (CurrentPage() == kDebugPg) ShowHint(kDebugHint);
    return;
  }
  if (const DialogControl* c = FindControl(kControls, GetDlgCtrlID(over)); c && c->hint && GetParent(over) == hwnd()) ShowHint(c->hint);
}

int OptionDialog::HelpContextAt(HWND focus) const {
  if (const DialogControl* c = FindControl(kControls, GetDlgCtrlID(focus)); c && c->help != 0) return c->help;
  const int page = CurrentPage();
  if (page >= 0 && page < kPageCount && kPageHelp[page] != 0) return kPageHelp[page];
  return kDialogHelp;
}

// Every row of the settings table that the dialog shows goes into its
// control; the Debug page's skip boxes and counters are not settings.
void OptionDialog::LoadControls() {
  const options::OptionValues v = properties::LoadOptionValues(holders_);
  for (const options::SettingRow& row : options::SettingRows())
    if (row.InDialog()) LoadControl(row, v);
  const std::pair<int, bool> skips[] = {{kQPrmBtn, v.skipParam}, {kQHstBtn, v.skipHistory}, {kQMetaBtn, v.skipMeta}};
  for (const auto& [id, on] : skips) Check(Item(id), on);
  SetWindowTextA(Item(kPstMsgLabel), (s_.pasteMessage ? std::to_string(s_.pasteMessage()) : "0").c_str());
  SetWindowTextA(Item(kCmdMsgLabel),
                 (s_.popupMessage ? std::to_string(static_cast<int>(s_.popupMessage())) : "-1").c_str());
  const SIZE panel = s_.centerPanel ? s_.centerPanel() : SIZE{0, 0};
  SetWindowTextA(Item(kTreeHLabel), std::to_string(holders_.settings.GetTreeHeight(panel.cy)).c_str());
  SetWindowTextA(Item(kTreeWLabel), std::to_string(holders_.settings.GetTreeWidth(panel.cx)).c_str());
}

void OptionDialog::LoadControl(const options::SettingRow& row, const options::OptionValues& v) {
  HWND control = Item(row.control);
  const options::OptionValueField& f = row.option;
  switch (row.kind) {
    case options::SettingKind::kFlag: Check(control, v.*f.flag); break;
    case options::SettingKind::kNumber: SetWindowTextA(control, std::to_string(v.*f.number).c_str()); break;
    case options::SettingKind::kChoice:
      for (int i = row.minimum; i <= row.maximum; ++i) Check(Item(row.control + i - row.minimum), v.*f.number == i);
      break;
    case options::SettingKind::kKey:
      SendMessageA(control, HKM_SETHOTKEY, options::HotKeyControlFromShortcut(static_cast<std::uint16_t>(v.*f.number)), 0);
      break;
    case options::SettingKind::kText: SetWindowTextA(control, (v.*f.text).c_str()); break;
    case options::SettingKind::kFont:
      buttonFont_ = v.*f.font;
      buttonFontHandle_ = CreateEditorFont(buttonFont_);
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFontHandle_.get()), FALSE);
      break;
  }
}

options::OptionValues OptionDialog::ReadControls() const {
  options::OptionValues v;
  for (const options::SettingRow& row : options::SettingRows())
    if (row.InDialog()) ReadControl(row, v);
  v.skipParam = Checked(Item(kQPrmBtn));
  v.skipHistory = Checked(Item(kQHstBtn));
  v.skipMeta = Checked(Item(kQMetaBtn));
  return v;
}

void OptionDialog::ReadControl(const options::SettingRow& row, options::OptionValues& v) const {
  HWND control = Item(row.control);
  const options::OptionValueField& f = row.option;
  switch (row.kind) {
    case options::SettingKind::kFlag: v.*f.flag = Checked(control); break;
    case options::SettingKind::kNumber: v.*f.number = options::SpinFieldValue(WindowText(control), SpinOf(row.control).minimum); break;
    case options::SettingKind::kChoice:
      v.*f.number = row.minimum;
      for (int i = row.minimum; i <= row.maximum; ++i)
        if (Checked(Item(row.control + i - row.minimum))) v.*f.number = i;
      break;
    case options::SettingKind::kKey:
      v.*f.number = options::ShortcutFromHotKeyControl(static_cast<std::uint16_t>(SendMessageA(control, HKM_GETHOTKEY, 0, 0)));
      break;
    case options::SettingKind::kText: v.*f.text = WindowText(control); break;
    case options::SettingKind::kFont: v.*f.font = buttonFont_; break;
  }
}

bool OptionDialog::ShowProperties(HWND owner) {
  if (Record().Busy() || (!hwnd() && !Create())) return false;
  debugTab_ = holders_.settings.ShowDebugPage();
  HWND tabs = Item(kPageCtrl);
  const bool hasDebugTab = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) > kDebugPg;
  if (hasDebugTab != debugTab_) {
    debugTab_ = !debugTab_;
    OnDebugButton();
  }
  LoadControls();
  ShowPage(kMenuPg);
  ShowHint("");
  quit_ = false;
  const bool ok = RunModal(owner, Item(kCursorBtn));
  if (quit_ && s_.closeEditor) s_.closeEditor();
  return ok;
}

}  // namespace ambrel::win32
