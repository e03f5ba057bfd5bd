// The command identifiers of the editor window: its menu bar, its pop-up
// menus and its tool buttons. A tool button sends the same WM_COMMAND id as
// its menu twin, so that both take one path. The clip menu's items use ids
// from ClipMenu::kFirstId (1000) upwards and never meet these.
#pragma once

namespace ambrel::editor {

enum CommandId : int {
  // "ﾃﾞｰﾀ(&D)": all clips
  kCmdReadAll = 400,
  kCmdSaveAll,
  kCmdDeleteAll,
  kCmdPrintAll,
  // "ﾃﾞｰﾀ(&D)": the current clip (also the tool buttons)
  kCmdLoadClip,
  kCmdSaveClip,
  kCmdDeleteClip,
  kCmdPrintClip,
  kCmdMakeStatic,
  // user menus and the tree
  kCmdMenuAdd,
  kCmdMenuEdit,
  kCmdMenuDelete,
  kCmdTreePrint,          // the whole tree
  kCmdTreePrintSelected,  // the selected node and its descendants
  kCmdNewClip,
  kCmdCloseProgram,  // "終了 (&X)"
  // "編集(&E)"
  kCmdUndo,
  kCmdCut,
  kCmdCopy,
  kCmdPaste,
  kCmdDeleteChar,
  kCmdSelectAll,
  // "保守(&S)"
  kCmdBeginner,
  kCmdVertWindow,
  kCmdPopupHint,
  kCmdMultiLineBar,
  kCmdUpperTab,
  kCmdMultiLine,
  kCmdWordWrap,
  kCmdEditorFont,
  kCmdProperties,
  // "実行(&E)"
  kCmdMetaList,
  kCmdPreview,           // the current clip
  kCmdPreviewSelected,   // the clip selected in the tree
  kCmdTestInput,
  kCmdTestFiler,
  kCmdTestList,
  kCmdTestTreeFile,
  kCmdTestTreeFolder,
  kCmdTreeExpand,
  kCmdTreeCollapse,
  // "ﾍﾙﾌﾟ(&H)"
  kCmdHelpHello,
  kCmdHelpEasy,
  kCmdHelpTopics,
  kCmdAbout,
  kCmdCloseEditor,  // "閉じる(&Q)"
  // tool buttons without a menu twin
  kCmdEditMenu,
  kCmdPrevClip,
  kCmdNextClip,
  kCmdFuncList,
  kCmdLast
};

}  // namespace ambrel::editor
