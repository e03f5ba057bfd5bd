#include "editor/file_dialogs_win32.h"

#include <commdlg.h>

#include <vector>

#include "editor/file_dialogs.h"
#include "platform/file_dialog_hook_win32.h"
#include "platform/message_box.h"
#include "platform/sjis.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = kHelpFileDialog;

// "caption|pattern" as the dialog wants it: each part ended by a zero byte,
// the list by another. Only a one-byte '|' separates (0x7C may be a second byte).
std::string DialogFilter(std::string_view filter) {
  std::string out;
  for (std::size_t pos = 0; pos < filter.size();) {
    const std::size_t length = sjis::CharLength(filter, pos);
    if (length == 1 && filter[pos] == '|') out.push_back('\0');
    else out.append(filter.substr(pos, length));
    pos += length;
  }
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

}  // namespace

bool FileDialogs::OpenFileDialog(HWND owner, std::string_view filter, std::string_view initialName,
                                 std::string_view extension) {
  return Run(owner, false, filter, initialName, extension);
}

bool FileDialogs::SaveFileDialog(HWND owner, std::string_view filter, std::string_view initialName,
                                 std::string_view extension) {
  return Run(owner, true, filter, initialName, extension);
}

bool FileDialogs::Run(HWND owner, bool save, std::string_view filter, std::string_view initialName,
                      std::string_view extension) {
  std::vector<char> name(MAX_PATH * 4, '\0');
  initialName.substr(0, name.size() - 1).copy(name.data(), name.size() - 1);
  const std::string filters = filter.empty() ? std::string() : DialogFilter(filter);
  const std::string defaultExtension(extension);
  bool confirmed = false;
  for (;;) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.lpfnHook = &FileDialogHook;
    FileDialogHookState state{OpenDialogs::Scope(host_.openDialogs), host_, kHelpContext};
    ofn.lCustData = reinterpret_cast<LPARAM>(&state);
    if (save) {
      ofn.lpstrTitle = "保存するﾌｧｲﾙ名を指して下さい";
      ofn.Flags |= OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT;
      confirmed = GetSaveFileNameA(&ofn) != 0;
    } else {
      ofn.lpstrTitle = "読み込むファイル名を指して下さい";
      ofn.Flags |= OFN_FILEMUSTEXIST;
      confirmed = GetOpenFileNameA(&ofn) != 0;
    }
    if (!confirmed || editor::ExtensionAccepted(name.data(), extension)) break;
    messages_.ErrorBox(editor::WrongExtensionMessage(extension), kHelpWrongExtension);
  }
  fileName_ = name.data();
  return confirmed;
}

}  // namespace ambrel::win32
