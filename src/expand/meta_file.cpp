#include "expand/meta_file.h"

#include <vector>

#include "help_contexts.h"

namespace ambrel::expand {
namespace {

const char kDamaged[] = "静的変数ファイルが壊れているか、読み込める大きさを超えています。初期値で起動します。";
const char kKeptAside[] = "\r\n元のファイルは次の名前で残しています:\r\n";
const char kTooLarge[] = "静的変数リストが大きすぎて、読み込める大きさを超えます。";

std::size_t WrittenRows(const std::vector<MetaRow>& rows) {
  std::size_t count = 0;
  for (const MetaRow& row : rows)
    if (!row.caption.empty() && row.caption[0] != '\0') ++count;
  return count;
}

}  // namespace

MetaFileRead LoadMetaFile(MetaList& list, Files& files, std::string_view path) {
  std::vector<MetaRow> rows;
  const FileContents file = files.Read(path, kMaxMetaFileBytes);
  MetaFileRead read = MetaFileRead::kRead;
  if (file.status == ReadStatus::kMissing) read = MetaFileRead::kMissing;
  else if (file.status == ReadStatus::kError) read = MetaFileRead::kUnreadable;
  else if (file.status == ReadStatus::kTooLarge || !ParseMetaData(file.bytes, rows))
    read = MetaFileRead::kDamaged;
  if (read != MetaFileRead::kRead) rows.clear();
  if (rows.empty()) rows = DefaultMetaList();
  list.Assign(std::move(rows));
  return read;
}

bool SaveMetaFile(const MetaList& list, DataFileSaver& saver, SaveMoment moment) {
  if (WrittenRows(list.Rows()) > kMaxMetaRows) return saver.Refuse(kTooLarge, moment);
  const std::string data = BuildMetaData(list.Rows());
  if (data.size() > kMaxMetaFileBytes) return saver.Refuse(kTooLarge, moment);
  return saver.Save(data, moment);
}

void SubmitMetaFile(const MetaList& list, DataFileSaver& saver, SaveWorker& worker, SaveMoment moment) {
  if (WrittenRows(list.Rows()) > kMaxMetaRows) return (void)saver.Refuse(kTooLarge, moment);
  std::string data = BuildMetaData(list.Rows());
  if (data.size() > kMaxMetaFileBytes) return (void)saver.Refuse(kTooLarge, moment);
  worker.Submit(saver, std::move(data), moment);
}

void InitMeta(MetaList& list, Files& files, MessageBoxes& messages, DataFileSaver& saver) {
  const MetaFileRead read = LoadMetaFile(list, files, saver.Path());
  if (read == MetaFileRead::kDamaged) {
    const std::string kept = saver.AsideName("damaged");
    if (files.Rename(saver.Path(), kept)) {
      messages.ErrorBox(kDamaged + (kKeptAside + kept), 0);
      return;
    }
  }
  // A file that cannot be read or moved aside stays where it is, unwritten.
  if (read == MetaFileRead::kUnreadable || read == MetaFileRead::kDamaged) saver.Block();
}

}  // namespace ambrel::expand
