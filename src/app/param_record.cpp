#include "app/param_record.h"

#include <cstring>
#include <utility>

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "options/settings.h"

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

constexpr bool Flag(std::uint8_t b) { return b != 0; }
constexpr std::uint8_t Byte(bool on) { return on ? 1 : 0; }

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

}  // namespace

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
                       "\r\n元のファイルは次の名前で残しています:\r\n" + kept, 1101);
  else
    saver_.Block();
  InitParams();
  return true;
}

bool ParamFile::SaveParams() {
  CollectParams();
  return saver_.Save(EncodeParamRecord(record_), SaveMoment::kExit);
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

  const options::Settings& s = targets_.settings;
  r.HotKey = s.HotKey();
  r.PopupHint = Byte(s.PopupHint());
  r.UpperTab = Byte(s.UpperTab());
  r.MultiLine = Byte(s.MultiLine());
  r.MultiLineBar = Byte(s.MultiLineBar());
  r.WordWrap = Byte(s.GetWordWrap());
  r.DataSave = Byte(s.DataSave());
  r.GridLine = Byte(s.GridLine());
  r.PasteMethod = s.PasteMethod();
  r.Quote.Set(s.Quote());
  r.MenuMenu = Byte(s.MenuMenu());
  r.OptionMenu = Byte(s.OptionMenu());
  r.HelpMenu = Byte(s.HelpMenu());
  r.PopupPos = s.PopupPos();
  r.MenuCap.Set(s.MenuCap());
  r.MenuId = s.MenuId();
  r.EditLink = Byte(s.EditLink());
  r.ShowDebugPage = Byte(s.ShowDebugPage());
  r.DebugMode = Byte(s.DebugMode());
  r.TreeBtn = Byte(s.TreeBtn());
  r.DskTpFocus = Byte(s.DskTpFocus());
  r.FullMatching = Byte(s.FullMatching());
  r.Interval = s.Interval();
  r.Distribute = Byte(s.Distribute());
  r.ListAutoSel = Byte(s.ListAutoSel());
  r.TreeAutoSel = Byte(s.TreeAutoSel());
  r.TreeH = s.TreeH();
  r.TreeW = s.TreeW();
  r.VertWindow = s.VertWindow();
  r.Beginner = Byte(s.Beginner());
  r.MenuLink = Byte(s.MenuLink());
  FontToRecord(s.GetEditorFont(), r.EditFont);

  const clipstore::TClipBase& store = targets_.store;
  const clipstore::CaptionSettings& captions = store.Captions();
  r.StaticComment = Byte(captions.staticComment);
  r.Duplicate = Byte(store.Duplicate());
  r.CrChar.Set(captions.crChar);
  r.TabChar.Set(captions.tabChar);
  r.SpaceChar.Set(captions.spaceChar);
  r.MaxHistory = store.MaxHistory();
  r.FirstLine = Byte(captions.firstLine);
  r.MenuLen = store.MenuLen();
  r.ChangeSpace = Byte(captions.changeSpace);

  r.MetaExpand = Byte(targets_.meta.MetaExpand());
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

  options::Settings& s = targets_.settings;
  s.SetHotKey(r.HotKey);
  s.SetPopupHint(Flag(r.PopupHint));
  s.SetUpperTab(Flag(r.UpperTab));
  s.SetMultiLine(Flag(r.MultiLine));
  s.SetMultiLineBar(Flag(r.MultiLineBar));
  s.SetWordWrap(Flag(r.WordWrap));
  s.SetDataSave(Flag(r.DataSave));
  s.SetGridLine(Flag(r.GridLine));
  s.SetPasteMethod(r.PasteMethod);
  s.SetQuote(r.Quote.Get());
  s.SetMenuMenu(Flag(r.MenuMenu));
  s.SetOptionMenu(Flag(r.OptionMenu));
  s.SetHelpMenu(Flag(r.HelpMenu));
  s.SetPopupPos(r.PopupPos);
  s.SetMenuCap(r.MenuCap.Get());
  s.SetMenuId(r.MenuId);
  s.SetEditLink(Flag(r.EditLink));
  s.SetShowDebugPage(Flag(r.ShowDebugPage));
  s.SetDebugMode(Flag(r.DebugMode));
  s.SetTreeButtons(Flag(r.TreeBtn));
  s.SetDskTpFocus(Flag(r.DskTpFocus));
  s.SetFullMatching(Flag(r.FullMatching));
  s.SetInterval(r.Interval);
  s.SetDistribute(Flag(r.Distribute));
  s.SetListAutoSel(Flag(r.ListAutoSel));
  s.SetTreeAutoSel(Flag(r.TreeAutoSel));
  s.SetTreeH(r.TreeH);
  s.SetTreeW(r.TreeW);
  s.SetVertWindow(r.VertWindow);

  // One caption refresh for the whole batch instead of one per setting.
  clipstore::TClipBase& store = targets_.store;
  store.SetCaptionUpdating(false);
  store.SetStaticComment(Flag(r.StaticComment));
  store.SetDuplicate(Flag(r.Duplicate));
  store.SetCrChar(r.CrChar.Get());
  store.SetTabChar(r.TabChar.Get());
  store.SetSpaceChar(r.SpaceChar.Get());
  store.SetFirstLine(Flag(r.FirstLine));
  store.SetMenuLen(r.MenuLen);
  store.SetChangeSpace(Flag(r.ChangeSpace));
  store.SetMaxHistory(r.MaxHistory);
  store.SetCaptionUpdating(true);

  targets_.meta.SetMetaExpand(Flag(r.MetaExpand));
}

void ParamFile::ApplyLateParams() {
  options::Settings& s = targets_.settings;
  s.SetMenuLink(Flag(record_.MenuLink));
  s.SetBeginner(Flag(record_.Beginner));
  s.SetEditorFont(FontFromRecord(record_.EditFont));
}

}  // namespace ambrel::app
