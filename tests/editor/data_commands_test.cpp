#include "editor/data_commands.h"

#include <gtest/gtest.h>

#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "editor/file_dialogs.h"
#include "expand/expand_fakes.h"
#include "platform/fakes.h"
#include "help_contexts.h"

namespace ambrel::editor {
namespace {

using clipstore::TClipBase;

struct DataCommandsTest : ::testing::Test {
  DataCommandsTest() { store.DefineDefaultSlots(); }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (int i = 0; i < store.PageCount(); ++i) out.push_back(store.Page(i).text);
    return out;
  }
  HistoryLoader Loader() {
    return [this](TClipBase& into, std::string_view path) {
      return app::LoadHistory(into, files, messages, path);
    };
  }

  clipstore::PopupLayout layout;
  TClipBase store{layout};
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
};

TEST_F(DataCommandsTest, PrintAllTextHasOneBlockPerClipInPageOrder) {
  store.AddClip(layout.Static(), clipstore::kStaticSlot, true, "静的の本文");
  store.AddClip(layout.UserMenu(1), 2, true, "usr");
  store.AddClip(layout.History(), clipstore::kHistorySlot, true, "hist");
  EXPECT_EQ(PrintAllText(store), "\r\n■\r\nhist\r\n■Usr1\r\nusr\r\n■静的\r\n静的の本文");
}

TEST_F(DataCommandsTest, ReadAllAnswers) {
  clipstore::PopupLayout fileLayout;
  TClipBase fileStore(fileLayout);
  fileStore.DefineDefaultSlots();
  fileStore.AddClip(fileLayout.History(), clipstore::kHistorySlot, true, "from file");
  files.files["a.hst"] = app::BuildHistoryData(fileStore);

  // Empty store: no question.
  ReadAll(store, messages, Loader(), "a.hst");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Texts(), std::vector<std::string>{"from file"});

  store.AddClip(layout.Static(), clipstore::kStaticSlot, true, "mine");
  messages.answers = {MsgResult::kCancel};
  ReadAll(store, messages, Loader(), "a.hst");
  EXPECT_EQ(messages.shown.back().helpContext, kHelpConfirmDeleteClip);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"from file", "mine"}));

  messages.answers = {MsgResult::kNo};
  store.AddClip(layout.History(), clipstore::kHistorySlot, true, "newer");
  ReadAll(store, messages, Loader(), "a.hst");
  // The file's clip is added; the history's duplicate rule drops its older twin.
  EXPECT_EQ(Texts(), (std::vector<std::string>{"from file", "newer", "mine"}));

  messages.answers = {MsgResult::kYes};
  ReadAll(store, messages, Loader(), "a.hst");
  EXPECT_EQ(Texts(), std::vector<std::string>{"from file"});

  // Unreadable, cut and hostile files: their message, nothing changed.
  store.AddClip(layout.Static(), clipstore::kStaticSlot, true, "kept");
  const std::vector<std::string> before = Texts();
  files.unreadable.insert("locked.hst");
  std::string hostile = files.files["a.hst"];
  hostile[0] = 7;  // a user menu that is not defined
  files.files["hostile.hst"] = hostile;
  files.files["cut.hst"] = files.files["a.hst"].substr(0, 40);
  for (const char* name : {"locked.hst", "cut.hst", "hostile.hst", "missing.hst"}) {
    messages.shown.clear();
    messages.answers = {MsgResult::kYes};
    ReadAll(store, messages, Loader(), name);
    EXPECT_EQ(messages.shown.back().text, CannotReadMessage(name)) << name;
    EXPECT_EQ(messages.shown.back().helpContext, kHelpCannotRead);
    EXPECT_EQ(Texts(), before) << name;
  }
}

// The file is read aside under the live history's limit and duplicate rule:
// a full history of 30 with repeated texts comes back whole, answered Yes or
// No, and a smaller limit keeps the newest.
TEST_F(DataCommandsTest, ReadAllKeepsTheLiveHistoryLimitAndDuplicateRule) {
  store.SetMaxHistory(30);
  store.SetDuplicate(false);
  for (int i = 0; i < 28; ++i)
    store.AddClip(layout.History(), clipstore::kHistorySlot, true, i % 2 ? "same" : "c" + std::to_string(i));
  AddNewClip(store);
  AddNewClip(store);
  const std::vector<std::string> saved = Texts();
  ASSERT_EQ(saved.size(), 30u);
  files.files["full.hst"] = app::BuildHistoryData(store);
  for (MsgResult answer : {MsgResult::kYes, MsgResult::kNo}) {
    messages.answers = {answer};
    ReadAll(store, messages, Loader(), "full.hst");
    EXPECT_EQ(Texts(), saved) << static_cast<int>(answer);
  }
  store.SetMaxHistory(10);
  messages.answers = {MsgResult::kYes};
  ReadAll(store, messages, Loader(), "full.hst");
  EXPECT_EQ(Texts(), std::vector<std::string>(saved.begin(), saved.begin() + 10));
}

TEST_F(DataCommandsTest, DeleteAllAndNewClipAtTheMaximum) {
  EXPECT_EQ(DeleteAllClips(store, messages), MsgResult::kYes);
  EXPECT_TRUE(messages.shown.empty());
  store.SetMaxHistory(5);
  for (int i = 0; i < 5; ++i) store.AddClip(layout.History(), 0, true, "c" + std::to_string(i));
  AddNewClip(store);
  AddNewClip(store);  // no duplicate test
  EXPECT_EQ(Texts(), (std::vector<std::string>{"新規データ", "新規データ", "c4", "c3", "c2"}));
  EXPECT_EQ(store.CurrentPage(), 0);
  messages.answers = {MsgResult::kNo};
  EXPECT_EQ(DeleteAllClips(store, messages), MsgResult::kNo);
  EXPECT_EQ(store.PageCount(), 5);
  EXPECT_EQ(messages.shown.back().text, "登録されているすべてのクリップデータを削除しますが、よろしいですか？");
  messages.answers = {MsgResult::kYes};
  DeleteAllClips(store, messages);
  EXPECT_EQ(store.PageCount(), 0);
  EXPECT_TRUE(store.Slot(2).Node);  // the menus stay
}

TEST_F(DataCommandsTest, DeleteAllSparesACopyThatCameDuringTheQuestion) {
  store.AddClip(layout.History(), clipstore::kHistorySlot, true, "asked about");
  messages.whileShown = [&] { store.AddClip(layout.History(), clipstore::kHistorySlot, true, "came later"); };
  messages.answers = {MsgResult::kYes};
  DeleteAllClips(store, messages);
  EXPECT_EQ(Texts(), std::vector<std::string>{"came later"});
}

TEST_F(DataCommandsTest, FunctionTestsReportTheirResults) {
  fakes::FakePrompter prompter;
  FunctionTests tests(prompter, messages, files, "C:\\Prog\\");
  prompter.answers = {{true, "typed"}, {false, ""}, {true, "row"}, {true, "Usr1"}, {false, ""}};
  tests.TestInput();
  tests.TestFiler();
  tests.TestList();
  store.AddClip(layout.History(), 0, true, "h");
  tests.TestTreeFile(store);
  tests.TestTreeFolder();
  EXPECT_EQ(prompter.asked[0].initial, "Default Data");
  EXPECT_EQ(prompter.asked[1].argument, "*.*");
  EXPECT_EQ(prompter.asked[2].argument, "C:\\Prog\\Guidance.txt");
  EXPECT_EQ(prompter.asked[3].argument, "C:\\Prog\\Tree.txt");
  EXPECT_EQ(prompter.asked[4].argument, "C:");
  EXPECT_EQ(files.files["C:\\Prog\\Tree.txt"].substr(0, 29), "動的クリップデータ\r\n\th\r\n\tUsr1");
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"入力された文字列は\r\n\r\ntyped\r\n\r\nです。",
                                      "選択がキャンセルされました。",
                                      "選択されたデータは\r\n\r\nrow\r\n\r\nです。",
                                      "選択されたデータは\r\n\r\nUsr1\r\n\r\nです。",
                                      "選択がキャンセルされました。"}));
  EXPECT_EQ(messages.rightSounds, 3);
  EXPECT_EQ(messages.faultSounds, 2);
}

TEST(FileDialogs, ExtensionRule) {
  EXPECT_TRUE(ExtensionAccepted("C:\\d\\Clips.Hst", "HST"));
  EXPECT_FALSE(ExtensionAccepted("C:\\d\\Clips.txt", "HST"));
  EXPECT_FALSE(ExtensionAccepted("C:\\d.hst\\Clips", "HST"));
  EXPECT_FALSE(ExtensionAccepted("C:\\d\\Clips.hstx", "HST"));
  // 表 ends in the byte of a backslash: the dot before it still counts.
  EXPECT_TRUE(ExtensionAccepted("C:\\d\\a.表.hst", "hst"));
  EXPECT_TRUE(ExtensionAccepted("C:\\d\\readme", "Txt"));
  EXPECT_TRUE(ExtensionAccepted("C:\\d\\a.rtf", "TXT"));
  EXPECT_EQ(WrongExtensionMessage("HST"), "<< *.HST >> 以外の拡張子が指定されています。");
}

}  // namespace
}  // namespace ambrel::editor
