// The editing items that the clip editors' edit menus and the standard edit
// menu of one-line fields share: caption and hint ("Menu" and the text the
// status bar shows).
#pragma once

namespace ambrel {

struct EditingItem {
  const char* caption;
  const char* hint;
};

inline constexpr EditingItem kUndoItem{"元に戻す (&U)", "Menu前回動作をやり直します"};
inline constexpr EditingItem kCutItem{"切り取り (&T)", "Menu選択中の文字列を削除してクリップボードに転送します"};
inline constexpr EditingItem kCopyItem{"ｺﾋﾟｰ (&C)", "Menu選択中の文字列をクリップボードに転送します"};
inline constexpr EditingItem kPasteItem{"貼り付け (&P)", "Menu選択中の文字列をクリップボードのデータと置き換えます"};
inline constexpr EditingItem kDeleteItem{"削除 (&D)", "Menu選択中の文字列を削除します"};
inline constexpr EditingItem kSelectAllItem{"すべて選択 (&A)", "Menuすべての文字列を選択します"};

}  // namespace ambrel
