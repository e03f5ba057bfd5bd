#include "app/app_win32.h"

#include <cstdlib>

#include "app/dummy_window_win32.h"
#include "app/fault_message.h"
#include "app/history_file.h"
#include "app/logo_window_win32.h"
#include "app/originals_file.h"
#include "app/popup_win32.h"
#include "app/window_bounds_win32.h"
#include "dialogs/hello_dialog_win32.h"
#include "dialogs/help_topics.h"
#include "dialogs/version_dialog_win32.h"
#include "editor/data_commands_win32.h"
#include "editor/file_dialogs_win32.h"
#include "editor/main_window_win32.h"
#include "expand/expand_dialogs_win32.h"
#include "expand/meta_file.h"
#include "help_contexts.h"
#include "platform/clock_win32.h"
#include "platform/dialog_placement_win32.h"
#include "platform/fault_barrier_win32.h"
#include "platform/help_win32.h"
#include "platform/text_printer_win32.h"
#include "properties/font_chooser_win32.h"
#include "properties/option_dialog_win32.h"
#include "usermenu/post_dialog_win32.h"
#include "usermenu/reg_list_window_win32.h"
#include "variables/func_popup_win32.h"
#include "variables/meta_edit_dialog_win32.h"
#include "variables/meta_window_win32.h"
#include "variables/preview_window_win32.h"
#include "version/version.h"

namespace ambrel::win32 {
namespace {

// The end-to-end tests shorten the wait before the idle save with this
// variable; its name is not one a user sets by chance.
std::uint32_t IdleSaveDelayMs() {
  char value[16] = {};
  const DWORD n = GetEnvironmentVariableA("AMBREL_TEST_IDLE_SAVE_MS", value, sizeof value);
  if (n == 0 || n >= sizeof value) return app::kIdleSaveDelayMs;
  const unsigned long ms = std::strtoul(value, nullptr, 10);
  return ms > 0 && ms < app::kIdleSaveDelayMs ? static_cast<std::uint32_t>(ms) : app::kIdleSaveDelayMs;
}

// What the windows need to be painted, and the messages other threads have
// sent meanwhile; nothing else runs, since the program is on its way out.
void PaintWhileExiting() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
}

// The saves handed to the worker are written before the process ends; the
// windows keep painting until then.
void FinishSaves(SaveWorker& worker) {
  while (!worker.WaitUntilWritten(10)) PaintWhileExiting();
  worker.Deliver();
}

}  // namespace

App::App(std::string programFolder)
    : programFolder_(std::move(programFolder)),
      messages_(programFolder_, &openDialogs_),
      files_(MakeFiles()),
      historySaver_(*files_, messages_, clock_, DataFile(app::kHistoryFileName), app::kHistorySaveFailed),
      metaSaver_(*files_, messages_, clock_, DataFile(expand::kMetaFileName), expand::kMetaSaveFailed),
      paramSaver_(*files_, messages_, clock_, DataFile(app::kParamFileName), app::kParamSaveFailed),
      originalsSaver_(*files_, messages_, clock_, DataFile(app::kOriginalsFileName), app::kOriginalsSaveFailed),
      idleSave_(store_, settings_, *this, historySaver_, saveWorker_, [] { return GetTickCount64(); },
                IdleSaveDelayMs()),
      // The registry is made before the windows that run and carry out its
      // commands; the static-variable windows, made later from it, are
      // reached through App and may not be there yet.
      editorCommands_(
          [this]() -> HWND { return metaEdit_ && metaEdit_->IsVisible() ? metaEdit_->RichEdit() : nullptr; },
          [this] {
            if (metaWindow_ && metaWindow_->hwnd()) metaWindow_->Close();
          }) {
  idleSave_.SetBesideSave([this](SaveMoment moment) {
    app::SubmitOriginals(store_, *files_, originalsSaver_, historySaver_, saveWorker_, moment);
  });
  SetHelpFile(programFolder_ + "Ambrel.chm");
  SetHelpPages([](int context) {
    const HelpTopic& topic = FindHelpTopic(context);
    return HelpPage{topic.title, topic.body};
  });
  SetFaultReport([this] { messages_.ErrorBox(app::kFaultMessage, kHelpFault); });
  SetPrintFailureReport([this](const std::string& printer, const std::string& reason) {
    messages_.ErrorBox(app::kPrintFailedMessage + printer + "\r\n" + reason, 0);
  });
  // Before the parameter file is applied, so the hot key and paste key reach
  // the library.
  settings_.SetHook(&hookControl_);
}

App::~App() = default;

bool App::CreateWindows() {
  // The largest history file takes tens of milliseconds to read and split,
  // the windows hundreds to make, most of it waiting for the Wine and X
  // servers.
  historyAhead_ = app::PrepareHistoryAhead(*files_, historySaver_.Path());
  // Constructed so that each gets the parts it needs; created on the screen
  // in the order below.
  const BusyState& busy = *this;
  dummy_ = std::make_unique<DummyWindow>();
  postDialog_ = std::make_unique<PostDialog>(dialogHost_, store_, distributor_, messages_);
  regList_ = std::make_unique<RegListWindow>(
      store_, settings_,
      RegListWindow::PageTabMenu{
          [this](HWND owner, POINT at) { editor_->TrackPageCtrlMenu(owner, at); },
          [this](HMENU menu, UINT item, UINT flags) { return editor_->PageCtrlMenuHint(menu, item, flags); }});
  hello_ = std::make_unique<HelloDialog>(dialogHost_);
  // The function popup is made from this dialog and the list window, so the
  // dialog reaches it through App once it is there.
  metaEdit_ = std::make_unique<MetaEditDialog>(dialogHost_, messages_, settings_,
                                               [this] { funcPopup_->ShowFuncPopup(); },
                                               [this] {
                                                 if (funcPopup_) funcPopup_->Hide();
                                               });
  MetaEditDialog& metaEdit = *metaEdit_;
  editor_ = std::make_unique<MainWindow>(
      store_, settings_,
      EditorServices{paste_, &OpenHelp,
                     DataMenuServices{*postDialog_, messages_, busy,
                                      [this] { PostMessageA(logo_->hwnd(), WM_CLOSE, 0, 0); }},
                     editorCommands_, std::string(kProgramName) + " Ver " AMBREL_VERSION_TEXT,
                     // A menu item's hint goes to the static-variable editor's
                     // status bar while that dialog is shown.
                     [&metaEdit](const std::string& text) {
                       if (!metaEdit.IsVisible()) return false;
                       metaEdit.ShowStatus(text);
                       return true;
                     }});
  MainWindow& editor = *editor_;
  // The other windows' hints go to the editor's status bar.
  const auto hintToEditor = [&editor](const std::string& text) { editor.ShowOtherWindowHint(text); };
  const auto context = [&editor] { return editor.Context(); };
  metaWindow_ = std::make_unique<MetaWindow>(
      MetaWindowServices{meta_, settings_, editorCommands_, context, editor, &OpenHelp, hintToEditor});
  preview_ = std::make_unique<PreviewWindow>(settings_, editorCommands_, context, hintToEditor);
  version_ = std::make_unique<VersionDialog>(dialogHost_);
  MetaWindow& metaWindow = *metaWindow_;
  expandDialogs_ = std::make_unique<ExpandDialogs>(dialogHost_, settings_, clipboard_, messages_,
                                                   *files_, meta_, pasteTarget_,
                                                   [&metaWindow](int row) { metaWindow.SelectRow(row); });
  popup_ = std::make_unique<ClipPopup>(PopupServices{settings_, messages_, busy, pasteTarget_, editor});
  logo_ = std::make_unique<LogoWindow>(LogoServices{settings_, messages_, busy, hookControl_,
                                                    clipboardFeed_, idleSave_, editor, *dummy_,
                                                    *popup_, &OpenHelp, [this] { Shutdown(); },
                                                    [this] {
                                                      // The tray's item: the editor first, the dialog over it.
                                                      editor_->ShowEditor();
                                                      editorCommands_.Run(editor::kCmdProperties, editor_->Context());
                                                    }});
  options_ = std::make_unique<OptionDialog>(
      dialogHost_, properties::OptionHolders{settings_, store_, meta_},
      OptionServices{messages_,
                     [this] { return hookControl_.PasteMessageNumber(); },
                     [this] { return hookControl_.PopupRequestNumber(); },
                     [this] { return SIZE{editor_->CenterPanelWidth(), editor_->CenterPanelHeight()}; },
                     [this] { editor_->CloseEditor(); },
                     [this] { PostMessageA(logo_->hwnd(), WM_CLOSE, 0, 0); },
                     [this] { logo_->ReplayLogo(); },
                     [this] { hello_->ShowModal(); },
                     [this] { expandDialogs_->RunDemoWork(); },
                     DataFile(app::kParamFileName), DataFile(app::kHistoryFileName),
                     DataFile(expand::kMetaFileName)});
  if (!logo_->Create()) return false;
  SetResidentWindow(logo_->hwnd());
  if (!editor_->Create() || !hello_->Create() || !expandDialogs_->Create() ||
      !postDialog_->Create(regList_.get()) || !regList_->Create(postDialog_.get()) ||
      !dummy_->Create() || !CreateMetaWindows())
    return false;
  RegisterPropertyCommands();
  paste_.SetExpander(&expandDialogs_->Expander());
  clipboard_.SetOwner(logo_->hwnd());
  bounds_ = std::make_unique<WindowBounds>(editor_->hwnd());
  bounds_->Attach(app::ParamWindow::kInput, expandDialogs_->InputWindow());
  bounds_->Attach(app::ParamWindow::kList, expandDialogs_->ListWindow());
  bounds_->Attach(app::ParamWindow::kTree, expandDialogs_->TreeWindow());
  bounds_->Attach(app::ParamWindow::kPreview, preview_->hwnd());
  params_ = std::make_unique<app::ParamFile>(
      *files_, messages_, app::ParamTargets{store_, settings_, meta_, bounds_.get()}, paramSaver_);
  RegisterDataCommands();
  return true;
}

void App::RegisterDataCommands() {
  fileDialogs_ = std::make_unique<FileDialogs>(dialogHost_, messages_);
  DataCommandServices services{
      messages_, *files_, *fileDialogs_, *expandDialogs_, programFolder_, DataFile(app::kHistoryFileName),
      [this](clipstore::TClipBase& into, std::string_view path) {
        if (!app::ReadHistoryFile(into, *files_, path)) return false;
        app::LoadOriginals(into, *files_, app::OriginalsPathBeside(path));
        return true;
      },
      [this](const clipstore::TClipBase& store, std::string_view path) {
        if (!app::SaveHistory(store, *files_, path)) return false;
        app::SaveOriginals(store, *files_, app::OriginalsPathBeside(path));
        return true;
      },
      [this](const std::function<void()>& change) {
        {
          MainWindow::BatchUpdate batch(*editor_);
          change();
        }
        editor_->ShowCurrentPage();
      },
      app::kMaxClipBytes};
  dataCommands_ = std::make_unique<DataCommands>(store_, settings_, std::move(services));
  dataCommands_->Register(editorCommands_);
}

void App::RegisterPropertyCommands() {
  editorCommands_.Set(editor::kCmdProperties,
                      [this](const EditorContext& c) {
                        // From the hot-key menu the editor is hidden: the dialog stands alone.
                        options_->ShowProperties(IsWindowVisible(c.owner) ? c.owner : nullptr);
                      });
  editorCommands_.Set(editor::kCmdEditorFont,
                      [this](const EditorContext& c) { ChooseEditorFont(c.owner, dialogHost_, settings_); });
}

void App::RunStartup() {
  marks_.Mark("windows");
  editor_->CloseEditor();
  const SIZE treeSpace = editor_->TreeSpace();
  settings_.InitTreeSize(treeSpace.cx, treeSpace.cy);
  params_->LoadParams();
  firstRun_ = params_->FirstRun();
  marks_.Mark("params");
  {
    // One view refresh for the whole file instead of one per clip, made once
    // the logo has gone: the tree's items for the largest store took Wine
    // 12-90 ms, and the editor, the one window that shows them, is hidden.
    MainWindow::BatchUpdate batch(*editor_, MainWindow::Refresh::kLater);
    app::StartHistory(store_, historyAhead_.get(), *files_, messages_, clipboard_, historySaver_,
                      programFolder_);
    app::LoadOriginals(store_, *files_, originalsSaver_.Path());
    marks_.Mark("history");
  }
  editor_->ShowCurrentPage();
  marks_.Mark("views");
  clipboardFeed_.Join(logo_->hwnd());
  hookControl_.InstallHook(logo_->hwnd());
  // A first start applies no parameter file, yet the library needs the hot
  // key and the paste key all the same.
  settings_.SetHotKey(settings_.HotKey());
  settings_.SetPasteMethod(settings_.PasteMethod());
  expand::InitMeta(meta_, *files_, messages_, metaSaver_);
  metaWindow_->InitMeta();
  if (firstRun_) hello_->ShowModal();
  logo_->AddTrayIcon();
  params_->ApplyLateParams();
  marks_.Mark("hook+meta");
  editor_->PrepareClipMenu();
  marks_.Mark("clipmenu");
  editor_->WarmUpParking();
  marks_.Mark("parking");
  logo_->PlayAnimation();
  openDialogs_.FinishStartup();
  logo_->StartIdleSave();
  marks_.Mark("logo");
  editor_->RefreshViews();
  marks_.Mark("after:views");
  marks_.Write(*files_);
}

bool App::CreateMetaWindows() {
  if (!metaWindow_->Create() || !metaEdit_->Create() || !preview_->Create() || !version_->Create())
    return false;
  funcPopup_ = std::make_unique<FuncPopup>(*metaWindow_, *metaEdit_);
  if (!funcPopup_->Create()) return false;
  metaWindow_->SetEditView(metaEdit_.get());
  metaEdit_->SetWindows(metaWindow_->hwnd(), editor_->hwnd());
  RegisterMetaCommands();
  return true;
}

void App::RegisterMetaCommands() {
  using namespace editor;
  editorCommands_.Set(kCmdMetaList, [this](const EditorContext& c) { metaWindow_->ShowMetaList(c.owner); });
  editorCommands_.Set(kCmdPreview, [this](const EditorContext& c) {
    ShowPreview(c.page >= 0 && c.page < store_.PageCount() ? &store_.Page(c.page) : nullptr);
  });
  editorCommands_.Set(kCmdPreviewSelected, [this](const EditorContext& c) {
    ShowPreview(c.selection ? c.selection->clip : nullptr);
  });
  editorCommands_.Set(kCmdAbout, [this](const EditorContext& c) { version_->ShowModal(c.owner); });
  editorCommands_.Set(kCmdFuncList, [this](const EditorContext&) {
    if (metaEdit_->IsVisible()) PostMessageA(metaEdit_->hwnd(), WM_COMMAND, MetaEditDialog::kFuncButtonId, 0);
  });
}

// The text a paste of the clip would insert, shown without the clipboard (a
// cancelled expansion shows nothing).
void App::ShowPreview(const clipstore::Clip* clip) {
  if (!clip) return;
  if (const std::optional<std::string> text = paste_.PreviewText(*clip)) preview_->ShowPreview(*text);
}

// The files first: at the end of a Windows session the process may be ended
// at any moment after this starts, and letting go of the hooks can wait
// seconds for the 32-bit companion. The small files go to the worker before
// the history: written on the UI thread, their flushes waited behind the
// disk's write-back of tens of MiB and held it for 40-90 ms under Wine.
void App::Shutdown() {
  if (settings_.SaveMetaOnExit()) expand::SubmitMetaFile(meta_, metaSaver_, saveWorker_, SaveMoment::kExit);
  if (settings_.SaveParamOnExit()) params_->SubmitParams(saveWorker_);
  if (settings_.SaveHistoryOnExit()) idleSave_.SaveAtExit(&PaintWhileExiting);
  FinishSaves(saveWorker_);
  hookControl_.RemoveHook();
  clipboardFeed_.Leave();
  logo_->RemoveTrayIcon();
}

}  // namespace ambrel::win32
