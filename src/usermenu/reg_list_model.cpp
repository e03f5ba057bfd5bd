#include "usermenu/reg_list_model.h"

#include "clipstore/clip_store.h"

namespace ambrel::usermenu {

const std::vector<RegListRow>& ExpressionRows() {
  static const std::vector<RegListRow> rows = {
      {"(abc)", "優先指定"},
      {"[abc]", "abcのいずれか1文字"},
      {"[^abc]", "abc以外の1文字"},
      {"[a-c]", "a～c のいずれかの1文字"},
      {"^", "行頭"},
      {"$", "行末"},
      {"*", "前の文字の０回以上の繰り返し"},
      {".", "任意の1文字"},
      {"+", "前の文字の1回以上の繰り返し"},
      {"a|b", "a または b"},
      {"?", "前の文字の1回以下の繰り返し"},
      {"\\b", "ﾊﾞｯｸｽﾍﾟｰｽ"},
      {"\\r", "ｷｬﾘｯｼﾞﾘﾀｰﾝ"},
      {"\\n", "ﾗｲﾝﾌｨｰﾄﾞ"},
      {"\\t", "ﾀﾌﾞ"},
  };
  return rows;
}

std::vector<std::string> MenuTitles(const clipstore::TClipBase& store) {
  std::vector<std::string> titles;
  for (int slot = 0; slot < clipstore::kSlotCount; ++slot)
    if (store.Slot(slot).Node) titles.push_back(store.Slot(slot).Caption);
  return titles;
}

std::string PrintLine(const std::vector<std::string>& columns) {
  std::string line;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) line += "\t\t";
    line += columns[i];
  }
  return line;
}

}  // namespace ambrel::usermenu
