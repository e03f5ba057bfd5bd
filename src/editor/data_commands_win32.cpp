#include "editor/data_commands_win32.h"

#include <richedit.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "clipstore/clip_store.h"
#include "clipstore/tree_print.h"
#include "editor/clip_file_format.h"
#include "options/settings.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/system_library_win32.h"
#include "platform/text_printer_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

using editor::CommandId;

struct StreamBuffer {
  std::string out;
};

DWORD CALLBACK WriteStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
  reinterpret_cast<StreamBuffer*>(cookie)->out.append(reinterpret_cast<const char*>(buffer),
                                                      static_cast<std::size_t>(count));
  *taken = count;
  return 0;
}

// A rich-text file's plain text, read by a rich edit of its own that no one
// sees: the clip's page may by then show another clip.
bool RichFileText(HWND owner, std::string_view rtf, std::string& text) {
  LoadRichEdit();
  const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> edit(
      CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_CHILD | ES_MULTILINE, 0, 0, 100, 100, owner, nullptr,
                      GetModuleHandleA(nullptr), nullptr),
      &DestroyWindow);
  if (!edit) return false;
  SendMessageA(edit.get(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  if (!StreamIntoRichEdit(edit.get(), rtf, SF_RTF)) return false;
  text = RichEditText(edit.get());
  return true;
}

PrintFont EditorPrintFont(const options::Settings& settings) {
  const options::EditorFont& f = settings.GetEditorFont();
  return PrintFont{f.name, f.height, f.style};
}

bool IsMenuNode(const clipstore::TreeNode* node) { return node && !node->clip; }

}  // namespace

void DataCommands::Register(EditorCommands& commands) {
  commands_ = &commands;
  commands.Set(editor::kCmdReadAll, [this](const EditorContext& c) { ReadAll(c.owner); });
  commands.Set(editor::kCmdSaveAll, [this](const EditorContext& c) { SaveAll(c.owner); });
  commands.Set(editor::kCmdDeleteAll, [this](const EditorContext&) {
    s_.batch([this] { editor::DeleteAllClips(store_, s_.messages); });
  });
  commands.Set(editor::kCmdPrintAll, [this](const EditorContext& c) { PrintAll(c.owner); });
  commands.Set(editor::kCmdLoadClip, [this](const EditorContext& c) { LoadClip(c); });
  commands.Set(editor::kCmdSaveClip, [this](const EditorContext& c) { SaveClip(c); });
  commands.Set(editor::kCmdDeleteClip, [this](const EditorContext& c) {
    if (c.page >= 0 && c.page < store_.PageCount()) store_.DeleteClip(c.page);
  });
  commands.Set(editor::kCmdPrintClip, [this](const EditorContext& c) { PrintClip(c); });
  commands.Set(editor::kCmdMakeStatic, [this](const EditorContext& c) { MakeStatic(c); });
  commands.Set(editor::kCmdNewClip, [this](const EditorContext&) { editor::AddNewClip(store_); });
  commands.Set(editor::kCmdTreePrint, [this](const EditorContext& c) { PrintTree(c.owner, nullptr); });
  commands.Set(editor::kCmdTreePrintSelected, [this](const EditorContext& c) {
    // Only a root or a user menu starts a tree print.
    if (IsMenuNode(c.selection)) PrintTree(c.owner, c.selection);
  });
  commands.Set(editor::kCmdTestInput, [this](const EditorContext&) { tests_.TestInput(); });
  commands.Set(editor::kCmdTestFiler, [this](const EditorContext&) { tests_.TestFiler(); });
  commands.Set(editor::kCmdTestList, [this](const EditorContext&) { tests_.TestList(); });
  commands.Set(editor::kCmdTestTreeFile, [this](const EditorContext&) { tests_.TestTreeFile(store_); });
  commands.Set(editor::kCmdTestTreeFolder, [this](const EditorContext&) { tests_.TestTreeFolder(); });
}

void DataCommands::ReadAll(HWND owner) {
  if (!s_.dialogs.OpenFileDialog(owner, editor::kHistoryFilter, DefaultHistoryName(), "HST")) return;
  const std::string path = s_.dialogs.FileName();
  s_.batch([&] { editor::ReadAll(store_, s_.messages, s_.loadHistory, path); });
}

void DataCommands::SaveAll(HWND owner) {
  if (!s_.dialogs.SaveFileDialog(owner, editor::kHistoryFilter, DefaultHistoryName(), "HST")) return;
  const std::string& path = s_.dialogs.FileName();
  if (!s_.saveHistory(store_, path))
    s_.messages.ErrorBox(editor::CannotWriteMessage(path), kHelpCannotWrite);
}

void DataCommands::PrintAll(HWND owner) {
  PrintRichText(owner, editor::PrintAllText(store_), std::string(editor::kPrintAllJob),
                EditorPrintFont(settings_));
}

std::uint64_t DataCommands::PageClip(const EditorContext& context) const {
  if (!IsPageEditor(context.editor) || context.page < 0 || context.page >= store_.PageCount()) return 0;
  return store_.Page(context.page).id;
}

// The page's clip is held by its id across the dialog: copies that come in
// meanwhile move the pages (and show another clip in the page), and the
// oldest may go. When it has gone, the command ends without a change.
void DataCommands::LoadClip(const EditorContext& context) {
  if (!context.editor) return;
  const std::uint64_t clip = PageClip(context);
  if (IsPageEditor(context.editor) && clip == 0) return;
  if (!s_.dialogs.OpenFileDialog(context.owner, "", "", "TXT")) return;
  const std::string& path = s_.dialogs.FileName();
  // Over the clip limit the file is refused before any byte is read, so a
  // huge file never stalls the window.
  const FileContents file = s_.files.Read(path, s_.maxClipBytes);
  const bool rtf = file.bytes.starts_with("{\\rtf");
  if (clip == 0) {
    // A dialog's own editor takes the file as it stands.
    const bool read = file.status == ReadStatus::kOk && IsWindow(context.editor) &&
                      ((rtf && StreamIntoRichEdit(context.editor, file.bytes, SF_RTF)) ||
                       SetRichEditPlainText(context.editor, file.bytes));
    if (!read) s_.messages.ErrorBox(editor::CannotReadMessage(path), kHelpCannotRead);
    return;
  }
  std::string text;
  const bool read = file.status == ReadStatus::kOk &&
                    ((rtf && RichFileText(context.owner, file.bytes, text)) ||
                     (text = editor::ClipTextOfPlainFile(file.bytes), true));
  if (!read) {
    s_.messages.ErrorBox(editor::CannotReadMessage(path), kHelpCannotRead);
    return;
  }
  const int page = store_.PageOfClip(clip);
  if (page < 0) return;
  store_.SetClipText(page, std::move(text));
  // Shown from the store afresh, wherever the clip stands now.
  store_.SetCurrentPage(page);
}

void DataCommands::SaveClip(const EditorContext& context) {
  if (!context.editor) return;
  const std::uint64_t clip = PageClip(context);
  if (IsPageEditor(context.editor) && clip == 0) return;
  if (!s_.dialogs.SaveFileDialog(context.owner, "", "", "TXT")) return;
  const std::string& path = s_.dialogs.FileName();
  std::string bytes;
  if (clip != 0) {
    // The clip's own text: its page may show only the start of it.
    const int page = store_.PageOfClip(clip);
    if (page < 0) return;
    const options::EditorFont& font = settings_.GetEditorFont();
    bytes = editor::ClipRichText(store_.Page(page).text, {font.name, font.height, font.style});
  } else {
    if (!IsWindow(context.editor)) return;
    StreamBuffer buffer;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&buffer), 0, &WriteStream};
    SendMessageA(context.editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0) {
      s_.messages.ErrorBox(editor::CannotWriteMessage(path), kHelpCannotWrite);
      return;
    }
    bytes = std::move(buffer.out);
  }
  if (!s_.files.WriteReplacing(path, bytes))
    s_.messages.ErrorBox(editor::CannotWriteMessage(path), kHelpCannotWrite);
}

void DataCommands::PrintClip(const EditorContext& context) {
  if (!context.editor) return;
  const std::uint64_t clip = PageClip(context);
  if (clip == 0) {
    if (!IsPageEditor(context.editor)) PrintRichEdit(context.editor, "");
    return;
  }
  // The clip's own text, not its page's (which may show only its start).
  PrintRichText(context.owner, store_.Page(store_.PageOfClip(clip)).text, "", EditorPrintFont(settings_));
}

void DataCommands::MakeStatic(const EditorContext& context) {
  if (context.page < 0 || context.page >= store_.PageCount()) return;
  if (store_.Page(context.page).slot.IsStatic()) return;
  store_.MakeStatic(context.page);
}

void DataCommands::PrintTree(HWND owner, const clipstore::TreeNode* start) {
  const std::string title(editor::kTreeTitle);
  std::vector<std::string> lines = {title, ""};
  for (std::string& line : clipstore::TreePrintLines(store_.Tree(), start)) lines.push_back(std::move(line));
  PrintTextLines(owner, title, lines, EditorPrintFont(settings_));
}

bool DataCommands::IsPageEditor(HWND editor) const {
  return !(commands_ && commands_->editorOverride && commands_->editorOverride() == editor);
}

}  // namespace ambrel::win32
