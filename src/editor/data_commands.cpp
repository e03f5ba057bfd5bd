#include "editor/data_commands.h"

#include "clipstore/clip_store.h"
#include "expand/prompter.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "usermenu/menu_commands.h"
#include "help_contexts.h"

namespace ambrel::editor {
namespace {

using clipstore::TClipBase;

// Moves the clips (and the menus the target lacks) of `from` into `into`,
// in the file's order, as the history loader would add them.
void AddClipsOf(const TClipBase& from, TClipBase& into) {
  // The history's limit and duplicate rule are settings of their own.
  const int maxHistory = into.MaxHistory();
  const bool duplicate = into.Duplicate();
  for (int s = 0; s < clipstore::kSlotCount; ++s) {
    const clipstore::TMenuSlot& slot = from.Slot(s);
    if (!slot.Node || into.Slot(s).Node) continue;
    into.DefineSlot(slot.Name, slot.Caption, slot.Pattern, into.Layout().SlotMenu(s), slot.Duplicate,
                    slot.MaxCount, s);
  }
  into.SetMaxHistory(maxHistory);
  into.SetDuplicate(duplicate);
  TClipBase::Batch batch(into);
  for (int i = from.PageCount() - 1; i >= 0; --i) {
    const clipstore::Clip& clip = from.Page(i);
    const int kind = clip.slot.Number();
    // Without the duplicate rule two equal history clips in a row (two new
    // clips) are kept as the file holds them.
    const bool check = kind != clipstore::kHistorySlot || (duplicate && into.HistoryCount() > 0);
    into.AddClip(into.Layout().SlotMenu(kind), kind, check, clip.text, clip.original);
  }
}

void AddTreeLines(const clipstore::TreeNode& node, int level, std::string& out) {
  out.append(static_cast<std::size_t>(level), '\t');
  out += node.text;
  out += "\r\n";
  for (int i = 0; i < node.Count(); ++i) AddTreeLines(*node.Child(i), level + 1, out);
}

// The first two characters of the label (入力, 選択).
std::string_view FirstTwoChars(std::string_view text) {
  std::size_t end = 0;
  for (int i = 0; i < 2 && end < text.size(); ++i) end += sjis::CharLength(text, end);
  return text.substr(0, end);
}

constexpr std::string_view kTypedLabel = "入力された文字列は";
constexpr std::string_view kFileLabel = "選択されたファイル名は";
constexpr std::string_view kDataLabel = "選択されたデータは";
constexpr std::string_view kFolderLabel = "選択されたフォルダは";

}  // namespace

std::string CannotReadMessage(std::string_view fileName) {
  return "<< " + std::string(fileName) + " >>は読み込むことが出来ません。";
}

std::string CannotWriteMessage(std::string_view fileName) {
  return "<< " + std::string(fileName) + " >>には書き込むことが出来ません。";
}

MsgResult DeleteAllClips(TClipBase& store, MessageBoxes& messages) {
  if (store.PageCount() == 0) return MsgResult::kYes;
  // The clips asked about: a copy that comes in while the question is up
  // was never offered for deletion.
  const std::vector<std::uint64_t> asked = store.ClipIds();
  const MsgResult answer = usermenu::ConfirmDelete(messages, "");
  if (answer == MsgResult::kYes) store.DeleteClips(asked);
  return answer;
}

void ReadAll(TClipBase& store, MessageBoxes& messages, const HistoryLoader& load,
             std::string_view path) {
  const MsgResult answer =
      store.PageCount() == 0 ? MsgResult::kYes : usermenu::ConfirmDelete(messages, "");
  if (answer != MsgResult::kYes && answer != MsgResult::kNo) return;
  // Read aside first: a file that cannot be read, or a damaged one, must not
  // cost the clips already there.
  // The store aside keeps the live history's limit and duplicate rule, which
  // the loader applies as it adds: a fresh store's would keep five clips.
  clipstore::PopupLayout layout;
  TClipBase file(layout);
  file.SetMaxHistory(store.MaxHistory());
  file.SetDuplicate(store.Duplicate());
  if (!load(file, path)) {
    messages.ErrorBox(CannotReadMessage(path), kHelpCannotRead);
    return;
  }
  if (answer == MsgResult::kYes) {
    store.ClearClips();
    store.ClearSlots();
  }
  AddClipsOf(file, store);
}

std::string PrintAllText(const TClipBase& store) {
  std::string text;
  for (int i = 0; i < store.PageCount(); ++i) {
    const clipstore::Clip& clip = store.Page(i);
    text += "\r\n■" + clip.slot.PageCaption() + "\r\n" + clip.text;
  }
  return text;
}

void AddNewClip(TClipBase& store) {
  store.AddClip(store.Layout().History(), clipstore::kHistorySlot, false, std::string(kNewClipText));
}

std::string TreeFileText(const TClipBase& store) {
  std::string out;
  const clipstore::TreeNode& root = store.Tree();
  for (int i = 0; i < root.Count(); ++i) AddTreeLines(*root.Child(i), 0, out);
  return out;
}

void ShowTestResult(MessageBoxes& messages, bool confirmed, std::string_view label,
                    std::string_view value) {
  if (!confirmed) {
    messages.ErrorBox(std::string(FirstTwoChars(label)) + "がキャンセルされました。", 0);
    return;
  }
  messages.PlayRightSound();
  messages.ShowMsgDlg(std::string(label) + "\r\n\r\n" + std::string(value) + "\r\n\r\nです。",
                      MsgType::kInformation, kBtnOk, 0);
}

void FunctionTests::TestInput() {
  std::string text = "Default Data";
  const bool ok = prompter_.RunInput("#Input", "#Input,#Edit関数による入力検査です。", text);
  ShowTestResult(messages_, ok, kTypedLabel, text);
}

void FunctionTests::TestFiler() {
  std::string name;
  const bool ok = prompter_.RunFiler("*.*", name);
  ShowTestResult(messages_, ok, kFileLabel, name);
}

void FunctionTests::TestList() {
  std::string line;
  const bool ok = prompter_.RunList(folder_ + "Guidance.txt", line);
  ShowTestResult(messages_, ok, kDataLabel, line);
}

void FunctionTests::TestTreeFile(const TClipBase& store) {
  const std::string file = folder_ + "Tree.txt";
  files_.WriteReplacing(file, TreeFileText(store));
  std::string chosen;
  const bool ok = prompter_.RunTree(file, chosen);
  ShowTestResult(messages_, ok, kDataLabel, chosen);
}

void FunctionTests::TestTreeFolder() {
  std::string chosen;
  const bool ok = prompter_.RunTree(FirstTwoChars(folder_), chosen);
  ShowTestResult(messages_, ok, kFolderLabel, chosen);
}

}  // namespace ambrel::editor
