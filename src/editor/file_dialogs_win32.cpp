#include "editor/file_dialogs_win32.h"

#include <commdlg.h>

#include <vector>

#include "editor/file_dialogs.h"
#include "platform/message_box.h"
#include "platform/open_dialogs.h"
#include "platform/sjis.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = 153;

struct DialogState {
  OpenDialogs::Scope counted;
  const DialogHost& host;
};

// The dialog's window joins the record of open dialogs once it exists; its
// Help button and F1 open the help at the file-dialog topic.
UINT_PTR CALLBACK FileDialogHook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* state = reinterpret_cast<DialogState*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetWindowLongPtrA(hook, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->counted.SetWindow(reinterpret_cast<OpenDialogs::WindowId>(GetParent(hook)));
    return 0;
  }
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(hook, GWLP_USERDATA));
  if (!state || !state->host.openHelp) return 0;
  if ((msg == WM_NOTIFY && reinterpret_cast<OFNOTIFYA*>(lParam)->hdr.code == CDN_HELP) || msg == WM_HELP)
    state->host.openHelp(kHelpContext);
  return 0;
}

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
    DialogState state{OpenDialogs::Scope(host_.openDialogs), host_};
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
    messages_.ErrorBox(editor::WrongExtensionMessage(extension), editor::kHelpWrongExtension);
  }
  fileName_ = name.data();
  return confirmed;
}

}  // namespace ambrel::win32
