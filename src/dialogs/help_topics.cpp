#include "dialogs/help_topics.h"

#include <algorithm>

namespace ambrel {

const std::vector<HelpTopic>& AllHelpTopics() {
  static const std::vector<HelpTopic> topics = {
      {kHelpContents, "目次",
       "Ambrel はコピーしたテキストを記録し、ホットキーでメニューから貼り付けるツールです。\r\n"
       "\r\n"
       "・タスクトレーアイコンを左クリック: クリップのメニュー\r\n"
       "・ダブルクリック: メニューウィンドウ\r\n"
       "・右クリック: トレーメニュー（プロパティ、ヘルプ、終了）\r\n"
       "・Ctrl+Shift+V（既定）: カーソル位置にメニュー\r\n"
       "\r\n"
       "メニューで選ぶとき: +CTRLで引用符、+SHIFTで編集、+CTRL+SHIFTで静的化。"},
      {1, "オンラインヘルプ", "トレーメニューの「ｵﾝﾗｲﾝﾍﾙﾌﾟ」はこの目次を開きます。"},
      {12, "Ambrel の終了",
       "トレーメニューの「Ambrelの終了」でプログラムを終了します。\r\n"
       "終了時にヒストリ、静的変数、パラメータの各ファイルを保存します。"},
      {101, "メニューを開く", "クリップの一覧と編集のためのメニューウィンドウを開きます。"},
      {104, "プロパティ設定", "ホットキー、貼り付け方法、履歴の数などを設定します。"},
      {105, "メニューの使い方",
       "クリップを選ぶと対象のウィンドウに貼り付けます。\r\n"
       "+CTRL: 各行の先頭に引用符を付けて貼り付けます。\r\n"
       "+SHIFT: クリップを編集します。\r\n"
       "+CTRL+SHIFT: 動的クリップを静的クリップにします。"},
      {406, "トレーメニュー", "タスクトレーアイコンを右クリックすると開くメニューです。"},
      {1104, "タスクトレー", "タスクトレーにアイコンを置けないときは終了します。"},
      {1107, "二重起動",
       "Ambrel はすでに実行されています。タスクトレーのアイコンをクリックしてください。"},
  };
  return topics;
}

const HelpTopic& FindHelpTopic(int context) {
  const auto& topics = AllHelpTopics();
  auto it = std::find_if(topics.begin(), topics.end(),
                         [context](const HelpTopic& t) { return t.context == context; });
  return it != topics.end() ? *it : topics.front();
}

}  // namespace ambrel
