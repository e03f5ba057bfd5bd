#include "expand/meta_file.h"

#include <vector>

#include "help_contexts.h"

namespace ambrel::expand {

void LoadMetaFile(MetaList& list, Files& files, std::string_view path) {
  std::vector<MetaRow> rows;
  const FileContents file = files.Read(path, kMaxMetaFileBytes);
  if (file.status == ReadStatus::kOk) ParseMetaData(file.bytes, rows);
  if (rows.empty()) rows = DefaultMetaList();
  list.Assign(std::move(rows));
}

bool SaveMetaFile(const MetaList& list, Files& files, MessageBoxes& messages,
                  std::string_view path) {
  if (files.WriteReplacing(path, BuildMetaData(list.Rows()))) return true;
  messages.ErrorBox("静的変数リストが保存出来ませんでした", kHelpStaticVariablesNotSaved);
  return false;
}

void InitMeta(MetaList& list, Files& files, std::string_view metaPath) {
  LoadMetaFile(list, files, metaPath);
}

}  // namespace ambrel::expand
