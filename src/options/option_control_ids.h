// The properties dialog's control ids. The settings table names the control
// that shows each setting, so the ids live apart from the window.
#pragma once

namespace ambrel::options::controls {

enum OptionControl : int {
  kPageCtrl = 100, kStatusBar, kDebugBtn, kQuitBtn, kHelpBtn,
  // Menu page
  kKeyBox, kHotKey, kExtMenuBox, kMenuMenuBtn, kOptionMenuBtn, kHelpMenuBtn, kPopupPosBox,
  kCursorBtn, kLeftUpBtn, kLeftLowBtn, kRightUpBtn, kRightLowBtn, kLinkBox, kMenuLinkBtn,
  // Data page
  kCdSetBox, kMaxHistoryEdit, kMaxHistorySpin, kMaxHistoryLabel, kDuplicateBtn, kDistributeBtn,
  kFullMatchingBtn, kDataSaveBtn, kViewBox, kMenuLenEdit, kMenuLenSpin, kMenuLenLabel, kFirstLineBtn,
  kCrEdit, kCrLabel, kTabEdit, kTabLabel, kSpaceCharEdit, kSpaceCharLabel, kChgSpaceBtn,
  // Paste page
  kPasteBox, kPasteMsgBtn, kPasteCtrlVBtn, kPasteInsBtn, kQuoteBox, kQuoteEdit, kMetaBox, kMetaBtn,
  kStaCmntBtn,
  // Control page
  kEditBox, kFontBtn, kWordWrapBtn, kPageCtrlBox, kUpperTabBtn, kMultiLineBtn, kListBox, kGridLineBtn,
  kListAutoSelBtn, kTreeBox, kTreeBtnBtn, kTreeAutoSelBtn, kToolBarBox, kMultiLineBarBtn, kHintBtn,
  // Other page
  kAppliBox, kBeginnerBtn, kStyleBox, kStyleBtn, kIntervalEdit, kIntervalSpin, kIntervalLabel,
  // Debug page
  kQuitBox, kQPrmBtn, kQHstBtn, kQMetaBtn, kDirectQuitBtn, kDebugBox, kDebugModeBtn, kDirectPopupBtn,
  kSelfFocusBtn, kDskTpFocusBtn, kDlgBox, kLogoBtn, kHelloBtn, kMsgBtn, kPsgBtn, kNoBox, kPstCaption,
  kPstMsgLabel, kCmdCaption, kCmdMsgLabel, kPropBox, kTreeHCaption, kTreeHLabel, kTreeWCaption,
  kTreeWLabel, kDllBox, kMenuIdEdit, kMenuIdSpin, kMenuIdLabel, kMenuCapEdit, kMenuCapLabel,
  kEditLinkBtn,
};

}  // namespace ambrel::options::controls
