#include "app/param_record.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "help_contexts.h"
#include "options/settings.h"
#include "options/settings_table.h"
#include "properties/setting_access.h"

namespace ambrel::app {

template <std::size_t N>
void ShortString<N>::Set(std::string_view value) {
  const std::string cut = options::CutShiftJis(value, N);
  length = static_cast<std::uint8_t>(cut.size());
  std::memset(text, 0, N);
  std::memcpy(text, cut.data(), cut.size());
}

template struct ShortString<30>;
template struct ShortString<32>;
template struct ShortString<255>;

std::string EncodeParamRecord(const TParamRecord& record) {
  std::string bytes(kParamRecordSize, '\0');
  std::memcpy(bytes.data(), &record, kParamRecordSize);
  for (std::size_t i = 0; i < kNegatedBytes; ++i)
    bytes[i] = static_cast<char>(-static_cast<unsigned char>(bytes[i]));
  return bytes;
}

bool DecodeParamRecord(std::string_view bytes, TParamRecord& record) {
  if (bytes.size() < kParamRecordSize) return false;
  std::string plain(bytes.substr(0, kParamRecordSize));
  for (std::size_t i = 0; i < kNegatedBytes; ++i)
    plain[i] = static_cast<char>(-static_cast<unsigned char>(plain[i]));
  std::memcpy(&record, plain.data(), kParamRecordSize);
  return true;
}

namespace {

options::EditorFont FontFromRecord(const TFontRecord& r) {
  options::EditorFont font;
  font.color = r.Color;
  font.height = r.Height;
  font.name = r.Name.Get();
  font.style = r.Style;
  font.size = r.Size;
  return font;
}

void FontToRecord(const options::EditorFont& font, TFontRecord& r) {
  r.Color = font.color;
  r.Height = font.height;
  r.Name.Set(font.name);
  r.Style = font.style;
  r.Size = font.size;
}

// A row's bytes in the record: little-endian numbers of 1, 2 or 4 bytes,
// a short string of `width` bytes after its length byte, or the font record.
// Flags are bytes, not bool: a file may hold any value there, and only 0
// means false.
class RecordField {
 public:
  RecordField(TParamRecord& record, const options::SettingRow& row)
      : at_(reinterpret_cast<unsigned char*>(&record) + row.offset), row_(row) {}

  int Number() const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < row_.width; ++i) value |= static_cast<std::uint32_t>(at_[i]) << (8 * i);
    if (row_.width == 4) return static_cast<std::int32_t>(value);
    return static_cast<int>(value);
  }
  void SetNumber(int number) {
    for (std::size_t i = 0; i < row_.width; ++i) at_[i] = static_cast<unsigned char>(static_cast<std::uint32_t>(number) >> (8 * i));
  }
  std::string Text() const {
    const std::size_t length = std::min<std::size_t>(at_[0], row_.width);
    return std::string(reinterpret_cast<const char*>(at_ + 1), length);
  }
  // Cut at a character boundary; the unused tail is zeroed.
  void SetText(std::string_view text) {
    const std::string cut = options::CutShiftJis(text, row_.width);
    at_[0] = static_cast<unsigned char>(cut.size());
    std::memset(at_ + 1, 0, row_.width);
    std::memcpy(at_ + 1, cut.data(), cut.size());
  }
  TFontRecord& Font() const { return *reinterpret_cast<TFontRecord*>(at_); }

 private:
  unsigned char* at_;
  const options::SettingRow& row_;
};

}  // namespace

void ParamFile::CollectRow(const options::SettingRow& row) {
  RecordField field(record_, row);
  const properties::OptionHolders holders{targets_.settings, targets_.store, targets_.meta};
  switch (row.kind) {
    case options::SettingKind::kText: field.SetText(properties::ReadText(holders, row)); break;
    case options::SettingKind::kFont: FontToRecord(targets_.settings.GetEditorFont(), field.Font()); break;
    default: field.SetNumber(properties::ReadNumber(holders, row)); break;
  }
}

void ParamFile::ApplyRow(const options::SettingRow& row) {
  RecordField field(record_, row);
  const properties::OptionHolders holders{targets_.settings, targets_.store, targets_.meta};
  switch (row.kind) {
    case options::SettingKind::kText: properties::WriteText(holders, row, field.Text()); break;
    case options::SettingKind::kFont: targets_.settings.SetEditorFont(FontFromRecord(field.Font())); break;
    default: properties::WriteNumber(holders, row, field.Number()); break;
  }
}

ParamFile::ParamFile(Files& files, MessageBoxes& messages, ParamTargets targets,
                     DataFileSaver& saver)
    : files_(files), messages_(messages), targets_(targets), saver_(saver) {}

bool ParamFile::LoadParams() {
  const std::string& path = saver_.Path();
  const FileContents file = files_.Read(path, kMaxParamFileBytes);
  if (file.status == ReadStatus::kMissing) {
    record_ = TParamRecord{};
    InitParams();
    firstRun_ = true;
    return true;
  }
  if (file.status == ReadStatus::kOk && DecodeParamRecord(file.bytes, record_)) {
    ApplyParams();
    return true;
  }
  record_ = TParamRecord{};
  // A damaged file is moved aside and named; one that cannot be read or
  // moved stays where it is, unwritten this session (the saver says so).
  const std::string kept = saver_.AsideName("damaged");
  if (file.status != ReadStatus::kError && files_.Rename(path, kept))
    messages_.ErrorBox("パラメータの読込に失敗しました。\r\n初期化して新たに読み直します。"
                       "\r\n元のファイルは次の名前で残しています:\r\n" + kept, kHelpParamRead);
  else
    saver_.Block();
  InitParams();
  return true;
}

bool ParamFile::SaveParams() {
  CollectParams();
  return saver_.Save(EncodeParamRecord(record_), SaveMoment::kExit);
}

void ParamFile::SubmitParams(SaveWorker& worker) {
  CollectParams();
  worker.Submit(saver_, EncodeParamRecord(record_), SaveMoment::kExit);
}

void ParamFile::InitParams() {
  if (targets_.windows) targets_.windows->CenterMainWindow();
  if (!saver_.Blocked()) SaveParams();
}

void ParamFile::CollectParams() {
  TParamRecord& r = record_;
  if (ParamWindows* w = targets_.windows) {
    r.MainBounds = w->Bounds(ParamWindow::kMain);
    r.PreviewBounds = w->Bounds(ParamWindow::kPreview);
    r.TreeBounds = w->Bounds(ParamWindow::kTree);
    r.ListBounds = w->Bounds(ParamWindow::kList);
    r.InputBounds = w->Bounds(ParamWindow::kInput);
  }

  for (const options::SettingRow& row : options::SettingRows())
    if (row.InFile()) CollectRow(row);
}

void ParamFile::ApplyParams() {
  const TParamRecord& r = record_;
  if (ParamWindows* w = targets_.windows) {
    w->SetBounds(ParamWindow::kMain, r.MainBounds);
    w->SetBounds(ParamWindow::kPreview, r.PreviewBounds);
    w->SetBounds(ParamWindow::kTree, r.TreeBounds);
    w->SetBounds(ParamWindow::kList, r.ListBounds);
    w->SetBounds(ParamWindow::kInput, r.InputBounds);
  }

  // One caption refresh for the whole batch instead of one per setting.
  targets_.store.SetCaptionUpdating(false);
  for (const options::SettingRow& row : options::SettingRows())
    if (row.InFile() && !row.appliedLate) ApplyRow(row);
  targets_.store.SetCaptionUpdating(true);
}

void ParamFile::ApplyLateParams() {
  for (const options::SettingRow& row : options::SettingRows())
    if (row.InFile() && row.appliedLate) ApplyRow(row);
}

}  // namespace ambrel::app
