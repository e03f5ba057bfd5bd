#include "expand/meta_edit.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

#include "expand/meta_select.h"
#include "help_contexts.h"

namespace ambrel::expand {
namespace {

// The whole cycle both ways: 94 printable codes less "`" and the 26
// lower-case letters.
TEST(MetaSelect, StepsCycleThroughThePrintableCharactersWithoutLowerCase) {
  std::vector<std::string> up;
  std::string c = NextChar("");
  EXPECT_EQ(c, "!");
  while (up.empty() || c != "!") {
    up.push_back(c);
    c = NextChar(c);
    ASSERT_LE(up.size(), 100u);
  }
  ASSERT_EQ(up.size(), 94u - 27u);
  for (const std::string& s : up) {
    EXPECT_FALSE(s[0] == '`' || (s[0] >= 'a' && s[0] <= 'z')) << s;
  }
  EXPECT_EQ(NextChar("_"), "{");
  EXPECT_EQ(NextChar("~"), "!");
  EXPECT_EQ(PrevChar(""), "~");
  EXPECT_EQ(PrevChar("!"), "~");
  EXPECT_EQ(PrevChar("{"), "_");
  // Down undoes every step up.
  for (const std::string& s : up) EXPECT_EQ(PrevChar(NextChar(s)), s) << s;
}

TEST(MetaSelect, TypedKeysAreUpperCaseAndSpaceIsRefused) {
  EXPECT_EQ(TypedMetaChar('z'), "Z");
  EXPECT_EQ(TypedMetaChar('$'), "$");
  EXPECT_EQ(TypedMetaChar(' '), std::nullopt);
  EXPECT_EQ(TypedMetaChar('\x7F'), std::nullopt);
  EXPECT_EQ(TypedMetaChar('\x82'), std::nullopt);  // a double-byte lead
  EXPECT_EQ(FitMetaKey("AB"), "");
  EXPECT_EQ(FitMetaKey("A"), "A");
}

// A pasted text reaches the field whole: one character stays (a double-byte
// one too, as a file may hold "$表"); a space is refused as a typed one is,
// the field keeping what it held; anything longer is emptied.
TEST(MetaSelect, PastedTextIsKeptByCharacterAndASpaceIsRefused) {
  EXPECT_EQ(FitMetaKey("表"), "表");
  EXPECT_EQ(FitMetaKey("表A"), "");
  EXPECT_EQ(FitMetaKey(" ", "Q"), "Q");
  EXPECT_EQ(FitMetaKey(" "), "");
  EXPECT_EQ(FitMetaKey("\t", "Q"), "Q");
  EXPECT_EQ(MetaKeyOf("$表"), "表");
  EXPECT_EQ(MetaKeyOf("$表x"), "表");
  EXPECT_EQ(MetaKeyOf("$\x95"), "\x95");  // a lead byte at the end is one character
  EXPECT_EQ(MetaKeyOf("$"), "");
}

// Answers the dialog with fixed fields and records what it was shown.
struct FakeEditView : MetaEditView {
  bool ok = true;
  std::string answerKey, answerData;
  MetaEditMode shownMode{};
  std::string shownKey, shownData;
  std::function<void()> whileOpen;  // what changes while the dialog is up
  bool RunMetaEdit(MetaEditMode mode, std::string& key, std::string& data) override {
    if (whileOpen) whileOpen();
    shownMode = mode;
    shownKey = key;
    shownData = data;
    if (ok) {
      key = answerKey;
      data = answerData;
    }
    return ok;
  }
};

TEST(MetaEdit, AddUpdateDeleteReadTheFieldsBackAfterOk) {
  MetaList list;
  list.Assign({{"$y", "$Year"}, {"$x", "hello"}});
  FakeEditView view;
  view.answerKey = "Y";
  view.answerData = "second";
  EXPECT_EQ(AddMeta(list, view), 2);  // a second "$Y" goes to the end
  EXPECT_EQ(view.shownMode, MetaEditMode::kAdd);
  EXPECT_EQ(view.shownKey, "");
  EXPECT_EQ(list.Row(2), (MetaRow{"$Y", "second"}));

  view.answerKey = "Z";
  view.answerData = "ぜっと";
  EXPECT_EQ(UpdateMeta(list, view, 1), 1);
  EXPECT_EQ(view.shownKey, "x");
  EXPECT_EQ(view.shownData, "hello");
  EXPECT_EQ(list.Row(1), (MetaRow{"$Z", "ぜっと"}));
  // A double-byte meta character goes to the dialog whole and comes back.
  list.Update(1, "$表", "omote");
  view.answerKey = "表";
  EXPECT_EQ(UpdateMeta(list, view, 1), 1);
  EXPECT_EQ(view.shownKey, "表");
  EXPECT_EQ(list.Row(1).caption, "$表");

  view.ok = false;
  EXPECT_EQ(UpdateMeta(list, view, 1), -1);
  EXPECT_EQ(DeleteMeta(list, view, 1), -1);
  EXPECT_EQ(list.Count(), 3);

  view.ok = true;
  EXPECT_EQ(DeleteMeta(list, view, 2), 1);
  EXPECT_EQ(view.shownMode, MetaEditMode::kDelete);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(UpdateMeta(list, view, 5), -1);
}

// The row edited is held by what it holds: when it moved or went while the
// dialog was up, OK changes nothing.
TEST(MetaEdit, RowThatChangedPlaceWhileTheDialogWasUpIsLeftAlone) {
  MetaList list;
  const std::vector<MetaRow> rows = {{"$a", "1"}, {"$b", "2"}};
  FakeEditView view;
  view.answerKey = "Z";
  view.answerData = "new";
  view.whileOpen = [&] { list.Move(1, 0); };
  list.Assign(rows);
  EXPECT_EQ(UpdateMeta(list, view, 1), -1);
  list.Assign(rows);
  EXPECT_EQ(DeleteMeta(list, view, 1), -1);
  EXPECT_EQ(list.Rows(), (std::vector<MetaRow>{{"$b", "2"}, {"$a", "1"}}));
  view.whileOpen = [&] { list.Delete(0); };
  list.Assign(rows);
  EXPECT_EQ(UpdateMeta(list, view, 1), -1);
  EXPECT_EQ(list.Rows(), (std::vector<MetaRow>{{"$b", "2"}}));
}

TEST(MetaEdit, OkNeedsACharacterThenData) {
  ASSERT_TRUE(CheckMetaEdit("", "x"));
  EXPECT_EQ(CheckMetaEdit("", "")->helpContext, kHelpNoMetaKey);
  EXPECT_EQ(CheckMetaEdit("Z", "")->helpContext, kHelpNoMetaData);
  EXPECT_FALSE(CheckMetaEdit("Z", "x"));
}

TEST(MetaEdit, SecondColumnFillsTheListLessTheScrollBarWhenRowsOverflow) {
  // 10 rows of 13 + 1 pixels: (10 + 1) * 14 + 3 = 157.
  EXPECT_EQ(FitSecondColumn(200, 161, 70, 10, 13, 17), 126);  // 157 fits into 157
  EXPECT_EQ(FitSecondColumn(200, 160, 70, 10, 13, 17), 109);
  EXPECT_EQ(MetaEditLeft(0, 500, 250, 300), 200);  // editor further left: on the list's left
  EXPECT_EQ(MetaEditLeft(900, 500, 250, 300), 750);
}

}  // namespace
}  // namespace ambrel::expand
