#include "editor/menu_table.h"

#include "platform/editing_items.h"

namespace ambrel::editor {
namespace {

using K = EntryKind;
using R = Rule;
using C = Check;
using S = Show;

constexpr MenuEntry Sep(const char* name, Show show = S::kAlways) {
  return {K::kSeparator, name, "", "", 0, R::kAlways, C::kNone, show};
}
constexpr MenuEntry End() { return {K::kEnd, ""}; }

// The editing items, alike in the menu bar's edit menu and the edit menu.
constexpr MenuEntry Editing(const char* name, CommandId id, Rule rule) {
  switch (id) {
    case kCmdUndo: return {K::kItem, name, kUndoItem.caption, kUndoItem.hint, id, rule};
    case kCmdCut: return {K::kItem, name, kCutItem.caption, kCutItem.hint, id, rule};
    case kCmdCopy: return {K::kItem, name, kCopyItem.caption, kCopyItem.hint, id, rule};
    case kCmdPaste: return {K::kItem, name, kPasteItem.caption, kPasteItem.hint, id, rule};
    case kCmdDeleteChar: return {K::kItem, name, kDeleteItem.caption, kDeleteItem.hint, id, rule};
    default: return {K::kItem, name, kSelectAllItem.caption, kSelectAllItem.hint, kCmdSelectAll, rule};
  }
}

constexpr MenuEntry kMainMenu[] = {
    {K::kSubmenu, "MMData", "ﾃﾞｰﾀ(&D)", "Menuすべてのクリップデータの編集を行います"},
    {K::kSubmenu, "MMAllData", "全ﾃﾞｰﾀ (&A)", "Menuすべてのクリップデータを一括処理します", 0, R::kAlways,
     C::kNone, S::kNormalMode},
    {K::kItem, "MMReadAll", "読込...(&O)", "Menuクリップデータのリストを読み込みます", kCmdReadAll},
    {K::kItem, "MMSaveAll", "保存...(&S)", "Menuクリップデータのリストを保存します", kCmdSaveAll, R::kHasClip},
    Sep("MMLine1"),
    {K::kItem, "MMDelAll", "削除 (&D)", "Menuすべてのクリップデータを削除します", kCmdDeleteAll, R::kHasClip},
    {K::kItem, "MMPrintAll", "印刷 (&P)", "Menuすべてのクリップデータを一覧印刷します", kCmdPrintAll,
     R::kHasClip},
    End(),
    {K::kSubmenu, "MMSelectData", "選択ﾃﾞｰﾀ (&S)", "Menu選択されているクリップデータを処理します", 0,
     R::kHasClip, C::kNone, S::kNormalMode},
    {K::kItem, "MMRead", "読込...(&O)", "Menu編集中のクリップデータに、ファイルからデータを読み込みます",
     kCmdLoadClip},
    {K::kItem, "MMSave", "保存...(&S)", "Menu編集中のクリップデータをファイルに書き込みます", kCmdSaveClip},
    Sep("MMLine2"),
    {K::kItem, "MMDel", "削除 (&D)", "Menu編集中のクリップデータを削除します", kCmdDeleteClip},
    {K::kItem, "MMPrint", "印刷 (&P)", "Menu編集中のクリップデータを印刷します", kCmdPrintClip},
    Sep("MMLine3"),
    {K::kItem, "MMToStatic", "静的化 (&G)", "Menu編集中のクリップデータを静的化します", kCmdMakeStatic,
     R::kCanMakeStatic},
    End(),
    {K::kSubmenu, "MMUserMenu", "ﾕｰｻﾞｰﾒﾆｭｰ (&U)", "Menuユーザーメニューを設定します", 0, R::kAlways, C::kNone,
     S::kNormalMode},
    {K::kItem, "MMMenuAdd", "新規作成 (&N)", "Menu新しいユーザーメニューを追加します", kCmdMenuAdd,
     R::kFreeUserSlot},
    {K::kItem, "MMMenuEdit", "更新 (&E)", "Menu選択中のユーザーメニューを編集します", kCmdMenuEdit,
     R::kUserMenuSelected},
    {K::kItem, "MMMenuDel", "削除 (&D)", "Menu選択中のユーザーメニューを削除します", kCmdMenuDelete,
     R::kUserMenuSelected},
    Sep("MMLine4"),
    {K::kItem, "MMTreePrint", "印刷 (&P)", "Menuツリービューを印刷します", kCmdTreePrint},
    End(),
    {K::kItem, "MMNew", "新規作成 (&N)", "Menu動的データを新規に追加します", kCmdNewClip},
    {K::kItem, "MMBeginDel", "削除 (&D)", "Menu編集中のクリップデータを削除します", kCmdDeleteClip, R::kHasClip,
     C::kNone, S::kBeginnerMode},
    {K::kItem, "MMBeginStatic", "静的化 (&G)", "Menu編集中のクリップデータを静的化します", kCmdMakeStatic,
     R::kCanMakeStatic, C::kNone, S::kBeginnerMode},
    Sep("MMLine5"),
    {K::kClipMenu, "MMHistory", "一覧 (&V)", "Menu編集するクリップデータを選択します"},
    Sep("MMLine7"),
    {K::kItem, "MMClose", "終了 (&X)", "Menuアプリケーションを終了します", kCmdCloseProgram},
    End(),

    {K::kSubmenu, "MMEdit", "編集(&E)", "Menuクリップデータを編集します"},
    Editing("MMUndo", kCmdUndo, R::kHasClip),
    Sep("MMLine8"),
    Editing("MMCut", kCmdCut, R::kHasClipAndSelection),
    Editing("MMCopy", kCmdCopy, R::kHasClipAndSelection),
    Editing("MMPaste", kCmdPaste, R::kHasClipAndClipboard),
    Editing("MMDelChar", kCmdDeleteChar, R::kHasClipAndSelection),
    Sep("MMLine9"),
    Editing("MMSelectAll", kCmdSelectAll, R::kHasClip),
    End(),

    {K::kSubmenu, "MMSom", "保守(&S)", "MenuAmbrelの保守関連です"},
    {K::kItem, "MMBeginner", "初心者ﾓｰﾄﾞ (&M)", "Menu拡張機能を使わない初心者用のモードです", kCmdBeginner,
     R::kAlways, C::kBeginner},
    Sep("MMLine10"),
    {K::kSubmenu, "MMProp", "ﾌﾟﾛﾊﾟﾃｨ (&B)", "Menuプロパティを設定します"},
    {K::kItem, "MMVertWindow", "縦割りｽﾀｲﾙ (&V)", "Menuツリービューとデータセレクタを左右に表示します",
     kCmdVertWindow, R::kAlways, C::kVertWindow},
    Sep("MMLine11"),
    {K::kItem, "MMPopupHint", "ﾎﾟｯﾌﾟｱｯﾌﾟﾋﾝﾄ (&H)", "Menuツールバーのポップアップヒントを表示します",
     kCmdPopupHint, R::kAlways, C::kPopupHint},
    {K::kItem, "MMMultiLineBar", "ﾏﾙﾁﾗｲﾝﾊﾞｰ (&L)", "Menu表示しきれないボタンを複数行で表示します",
     kCmdMultiLineBar, R::kAlways, C::kMultiLineBar},
    Sep("MMLine12"),
    {K::kItem, "MMUpperTab", "ﾀﾌﾞを上部に表示する (&T)", "Menuタブリストをコントロールの上部に配置します",
     kCmdUpperTab, R::kAlways, C::kUpperTab},
    {K::kItem, "MMMultiLine", "ﾀﾌﾞの複数行表示 (&M)", "Menu表示しきれないタブリストを複数行に表示します",
     kCmdMultiLine, R::kAlways, C::kMultiLine},
    Sep("MMLine13"),
    {K::kItem, "MMWordWrap", "ﾜｰﾄﾞﾗｯﾌﾟ処理 (&W)", "Menuワードラップ表示を行います", kCmdWordWrap, R::kAlways,
     C::kWordWrap},
    {K::kItem, "MMEditFont", "ｴﾃﾞｨﾀﾌｫﾝﾄ...(&F)", "Menuエディタのフォントを設定します", kCmdEditorFont},
    Sep("MMLine14"),
    {K::kItem, "MMProperty", "ﾌﾟﾛﾊﾟﾃｨｳｲﾝﾄﾞｳ...(&B)", "Menuプロパティウインドウを開きます", kCmdProperties},
    End(),
    End(),

    {K::kSubmenu, "MMExec", "実行(&E)", "Menuコマンドを実行します"},
    {K::kItem, "MMMeta", "静的変数ﾘｽﾄを開く (&M)", "Menu静的変数リストを表示します", kCmdMetaList, R::kAlways,
     C::kNone, S::kNormalMode},
    {K::kItem, "MMPreview", "ﾍﾟｰｽﾄ検査(&P)", "Menuペースト結果をプレビューします", kCmdPreview, R::kAlways,
     C::kNone, S::kNormalMode},
    {K::kSubmenu, "MMFunc", "関数検査 (&F)", "Menu関数を疑似実行します", 0, R::kAlways, C::kNone,
     S::kNormalMode},
    {K::kItem, "MMInput", "#&Input...", "Menu#Input関数を疑似実行します", kCmdTestInput},
    {K::kItem, "MMFiler", "#&Filer...", "Menu#Filer関数を疑似実行します", kCmdTestFiler},
    {K::kItem, "MMList", "#&List...", "Menu#List関数を疑似実行します", kCmdTestList},
    {K::kItem, "MMTree", "#&Tree(file)...", "Menu#Tree関数(ファイル)を疑似実行します", kCmdTestTreeFile},
    {K::kItem, "MMTreeFolder", "#&Tree(dir)...", "Menu#Tree関数(フォルダ)を疑似実行します",
     kCmdTestTreeFolder},
    End(),
    Sep("MMLine16", S::kNormalMode),
    {K::kItem, "MMTreeExpand", "項目の展開 (&O)", "Menuすべての子項目を展開します", kCmdTreeExpand},
    {K::kItem, "MMTreeCollapse", "項目の縮小 (&S)", "Menuすべての子項目を折りたたみます", kCmdTreeCollapse},
    End(),

    {K::kSubmenu, "MMHelp", "ﾍﾙﾌﾟ(&H)", "Menuオンラインヘルプを表示します"},
    {K::kItem, "MMHello", "ごあいさつ (&W)", "Menuオンラインヘルプの最初のページを表示します", kCmdHelpHello},
    {K::kItem, "MMEasyHelp", "簡単な使い方 (&E)", "MenuAmbrelの簡単な使い方を紹介します", kCmdHelpEasy},
    Sep("MMLine15"),
    {K::kItem, "MMTopic", "ﾄﾋﾟｯｸの一覧 (&H)", "Menuオンラインヘルプのトピック一覧を表示します", kCmdHelpTopics},
    Sep("MMLine17"),
    {K::kItem, "MMAbout", "ﾊﾞｰｼﾞｮﾝ情報 (&A)", "Menuバージョン情報を表示します", kCmdAbout},
    End(),

    {K::kItem, "MMQuit", "閉じる(&Q)", "Menuメニューを閉じます", kCmdCloseEditor},
};

constexpr MenuEntry kTreeMenu[] = {
    {K::kItem, "TPAdd", "新規作成 (&N)", "Menu新しいユーザーメニューを追加します", kCmdMenuAdd, R::kFreeUserSlot,
     C::kNone, S::kNormalMode},
    {K::kItem, "TPEdit", "更新 (&E)", "Menu選択中のユーザーメニューを更新します", kCmdMenuEdit,
     R::kUserMenuSelected, C::kNone, S::kNormalMode},
    {K::kItem, "TPDel", "削除 (&D)", "Menu選択中のクリップデータを削除します", kCmdMenuDelete,
     R::kAnythingSelected},
    Sep("TPLine1"),
    {K::kItem, "TPPrint", "印刷 (&P)", "Menu選択中のメニュー以下の項目を一覧印刷します", kCmdTreePrintSelected,
     R::kMenuNodeSelected},
    {K::kItem, "TPPreview", "ﾍﾟｰｽﾄ検査 (&P)", "Menu選択データのペースト結果をプレビューします",
     kCmdPreviewSelected, R::kClipSelected, C::kNone, S::kNormalMode},
    Sep("TPLine2"),
    {K::kItem, "TPTreeOpen", "項目の展開 (&O)", "Menuすべての子項目を展開します", kCmdTreeExpand},
    {K::kItem, "TpTreeClose", "項目の縮小 (&S)", "Menuすべての子項目を折りたたみます", kCmdTreeCollapse},
};

constexpr MenuEntry kPageCtrlMenu[] = {
    {K::kItem, "PMUpperTab", "ﾀﾌﾞを上部に配置する (&T)", "Menuタブリストをコントロールの上部に配置します",
     kCmdUpperTab, R::kAlways, C::kUpperTab},
    {K::kItem, "PMMultiLine", "タブリストの複数行表示 (&M)", "Menu表示しきれないタブリストを複数行に表示します",
     kCmdMultiLine, R::kAlways, C::kMultiLine},
};

constexpr MenuEntry kToolBarMenu[] = {
    {K::kItem, "TMPopupHint", "ﾎﾟｯﾌﾟｱｯﾌﾟﾋﾝﾄの表示 (&H)", "Menuツールバーにポップアップヒントを表示します",
     kCmdPopupHint, R::kAlways, C::kPopupHint},
    {K::kItem, "TMMultiLineBar", "ﾏﾙﾁﾗｲﾝﾊﾞｰ (&L)", "Menu表示しきれないボタンを複数行で表示します",
     kCmdMultiLineBar, R::kAlways, C::kMultiLineBar},
};

constexpr MenuEntry kEditMenu[] = {
    {K::kSubmenu, "EPFile", "ﾌｧｲﾙ (&F)", "Menuファイルアクセスを行います", 0, R::kAlways, C::kNone, S::kAlways,
     kHelpOfOwner},
    {K::kItem, "EPRead", "読込...(&O)", "Menuファイルからデータを読み込みます", kCmdLoadClip, R::kAlways, C::kNone,
     S::kAlways, kHelpOfOwner},
    {K::kItem, "EPSave", "保存...(&S)", "Menu編集中のデータをファイルに書き込みます", kCmdSaveClip, R::kAlways,
     C::kNone, S::kAlways, kHelpOfOwner},
    End(),
    {K::kSubmenu, "EPEdit", "編集 (&E)", "Menuデータの編集メニューです", 0, R::kAlways, C::kNone, S::kAlways,
     kHelpOfOwner},
    Editing("EPUndo", kCmdUndo, R::kAlways),
    Sep("EPLine1"),
    Editing("EPCut", kCmdCut, R::kEditorSelection),
    Editing("EPCopy", kCmdCopy, R::kEditorSelection),
    Editing("EPPaste", kCmdPaste, R::kClipboardText),
    Editing("EPDelete", kCmdDeleteChar, R::kEditorSelection),
    Sep("EPLine2"),
    Editing("EPSelectAll", kCmdSelectAll, R::kAlways),
    End(),
    {K::kItem, "EPRemove", "削除 (&D)", "Menu編集中のクリップデータを削除します", kCmdDeleteClip, R::kAlways,
     C::kNone, S::kWithoutMetaEditor},
    {K::kItem, "EPPrint", "印刷 (&P)", "Menu編集中のデータを印刷します", kCmdPrintClip, R::kAlways, C::kNone,
     S::kAlways, kHelpOfOwner},
    {K::kItem, "EPStatic", "静的化 (&S)", "Menu編集中のクリップデータを静的化します", kCmdMakeStatic,
     R::kCanMakeStatic, C::kNone, S::kWithoutMetaEditor},
    {K::kItem, "EPPreview", "ﾍﾟｰｽﾄ検査 (&P)", "Menuペースト結果をプレビューします", kCmdPreview, R::kAlways,
     C::kNone, S::kPreview},
    {K::kItem, "EPFunc", "関数一覧 (&M)", "Menu関数名の一覧を表示します", kCmdFuncList, R::kAlways, C::kNone,
     S::kWithMetaEditor},
    Sep("EPLine3"),
    {K::kSubmenu, "EPProperty", "ﾌﾟﾛﾊﾟﾃｨ (&B)", "Menuプロパティを設定します"},
    {K::kItem, "EPWordWrap", "ﾜｰﾄﾞﾗｯﾌﾟ処理 (&W)", "Menuワードラップ表示を行います", kCmdWordWrap, R::kAlways,
     C::kWordWrap},
    {K::kItem, "EPFont", "ｴﾃﾞｨﾀﾌｫﾝﾄ...(&F)", "Menuエディタのフォントを設定します", kCmdEditorFont},
    End(),
};

}  // namespace

std::span<const MenuEntry> MainMenuTable() { return kMainMenu; }
std::span<const MenuEntry> TreeMenuTable() { return kTreeMenu; }
std::span<const MenuEntry> PageCtrlMenuTable() { return kPageCtrlMenu; }
std::span<const MenuEntry> ToolBarMenuTable() { return kToolBarMenu; }
std::span<const MenuEntry> EditMenuTable() { return kEditMenu; }

}  // namespace ambrel::editor
