#include "expand/meta_edit.h"

#include "help_contexts.h"
#include "platform/sjis.h"

namespace ambrel::expand {

std::string_view MetaEditCaption(MetaEditMode mode) {
  switch (mode) {
    case MetaEditMode::kUpdate: return "静的変数を更新します";
    case MetaEditMode::kAdd: return "静的変数を新規追加します";
    case MetaEditMode::kDelete: return "削除してよろしいですか？";
  }
  return {};
}

std::string MetaKeyOf(std::string_view caption) {
  if (caption.size() < 2) return {};
  return std::string(caption.substr(1, sjis::CharLength(caption, 1)));
}

int AddMeta(MetaList& list, MetaEditView& view) {
  std::string key, data;
  if (!view.RunMetaEdit(MetaEditMode::kAdd, key, data)) return -1;
  return list.Append("$" + key, std::move(data));
}

namespace {

// The row is held by what it holds across the dialog: when it has moved or
// gone meanwhile, the dialog's answer changes nothing.
bool RowStill(const MetaList& list, int row, const MetaRow& was) {
  return row >= 0 && row < list.Count() && list.Row(row) == was;
}

}  // namespace

int UpdateMeta(MetaList& list, MetaEditView& view, int row) {
  if (row < 0 || row >= list.Count()) return -1;
  const MetaRow was = list.Row(row);
  std::string key = MetaKeyOf(was.caption), data = was.data;
  if (!view.RunMetaEdit(MetaEditMode::kUpdate, key, data) || !RowStill(list, row, was)) return -1;
  list.Update(row, "$" + key, std::move(data));
  return row;
}

int DeleteMeta(MetaList& list, MetaEditView& view, int row) {
  if (row < 0 || row >= list.Count()) return -1;
  const MetaRow was = list.Row(row);
  std::string key = MetaKeyOf(was.caption), data = was.data;
  if (!view.RunMetaEdit(MetaEditMode::kDelete, key, data) || !RowStill(list, row, was)) return -1;
  list.Delete(row);
  return row < list.Count() ? row : list.Count() - 1;
}

std::optional<MetaEditProblem> CheckMetaEdit(std::string_view key, std::string_view data) {
  if (key.empty()) return MetaEditProblem{"メタ文字を指定して下さい", kHelpNoMetaKey};
  if (data.empty()) return MetaEditProblem{"メタ文字に対応するデータを指定して下さい", kHelpNoMetaData};
  return std::nullopt;
}

int FitSecondColumn(int listWidth, int listHeight, int firstWidth, int rows, int fontHeight,
                    int scrollBarWidth) {
  int width = listWidth - firstWidth - 4;
  if ((rows + 1) * (fontHeight + 1) + 3 > listHeight - 4) width -= scrollBarWidth;
  return width;
}

int MetaEditLeft(int editorLeft, int listLeft, int listWidth, int ownWidth) {
  return editorLeft < listLeft ? listLeft - ownWidth : listLeft + listWidth;
}

}  // namespace ambrel::expand
