#include "expand/expand_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expand/expand_fakes.h"
#include "expand/static_expander.h"

namespace ambrel::expand {
namespace {

class ExpandTextTest : public ::testing::Test {
 protected:
  ExpandTextTest() {
    meta.Assign(DefaultMetaList());
    clock.now = {1999, 4, 3, 9, 5, 7, 6};
  }

  ExpandServices Services() {
    return {meta, clock, clipboard, environment, fileSystem, prompter,
            [this](int row) { selected.push_back(row); }};
  }
  ExpandResult Run(std::string_view text) {
    ExpandServices s = Services();
    return ExpandText(text, s, &bounded);
  }
  std::string Text(std::string_view text) {
    ExpandResult r = Run(text);
    EXPECT_TRUE(r.goAhead) << text;
    return r.text;
  }
  void Answer(bool confirmed, std::string text) { prompter.answers.push_back({confirmed, std::move(text)}); }

  MetaList meta;
  fakes::FakeClock clock;
  fakes::FakeClipboard clipboard;
  fakes::FakeEnvironment environment;
  fakes::FakeFileSystem fileSystem;
  fakes::FakePrompter prompter;
  std::vector<int> selected;
  bool bounded = false;
};

TEST_F(ExpandTextTest, WorkedExampleOfDateAndTime) {
  EXPECT_EQ(Text("19$y年$m月$d日の $h時$n分$s秒です。"), "1999年04月03日の 09時05分07秒です。");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ExpandTextTest, YearIsYearMinus1900NotLastTwoDigits) {
  EXPECT_EQ(YearText(1999), "99");
  EXPECT_EQ(YearText(2005), "105");
  EXPECT_EQ(YearText(1900), "1900");
  EXPECT_EQ(YearText(1850), "1850");
  clock.now.year = 2026;
  EXPECT_EQ(Text("$y"), "126");
}

TEST_F(ExpandTextTest, MetaCharactersIgnoreCaseAndUnknownOnesStay) {
  EXPECT_EQ(Text("$Y/$y"), "99/99");
  EXPECT_EQ(Text("$%"), "$%");
  EXPECT_EQ(Text("end$"), "end$");
  EXPECT_EQ(Text("$$"), "$");
  EXPECT_EQ(Text("$$y"), "$y");  // the output of $$ is not scanned again
  EXPECT_EQ(Text("$x"), "こんにちは");
}

TEST_F(ExpandTextTest, DoubleByteCharacterAfterDollarStaysWhole) {
  // The second byte of "ｙ" in a lead/trail pair must not be read as "y".
  EXPECT_EQ(Text("$あ$"), "$あ$");
  const std::string sjisWithLetterTrail = "$\x83\x79";  // trail byte 0x79 is 'y'
  EXPECT_EQ(Text(sjisWithLetterTrail), sjisWithLetterTrail);
}

TEST_F(ExpandTextTest, FunctionWithoutArgumentLeavesGroupAsText) {
  EXPECT_EQ(Text("$y()"), "99()");
  EXPECT_EQ(Text("$y(a)"), "99(a)");
}

TEST_F(ExpandTextTest, PlainTextMappingSelectsItsRow) {
  EXPECT_EQ(Text("[$x]"), "[こんにちは]");
  EXPECT_EQ(selected, std::vector<int>{16});
}

TEST_F(ExpandTextTest, FirstMatchingRowWinsAndFunctionNamesIgnoreCase) {
  meta.Assign({{"$Q", "$mOnTh"}, {"$q", "second row"}, {"$", "$Year"}, {"$z", "$Month "}});
  EXPECT_EQ(Text("$q"), "04");
  EXPECT_EQ(Text("$z"), "$Month ");  // not a whole-text match: plain text
  EXPECT_EQ(Text("a$"), "a$");        // a caption without a character never matches
}

TEST_F(ExpandTextTest, GroupMarkerBytesInClipBecomeParentheses) {
  EXPECT_EQ(Text("a\x01" "b\x02" "c"), "a(b)c");
}

TEST_F(ExpandTextTest, UnmatchedParenthesesStay) {
  EXPECT_EQ(Text("(a"), "(a");
  EXPECT_EQ(Text("a)"), "a)");
  EXPECT_EQ(Text(")($y"), ")(99");
  EXPECT_EQ(Text("$v("), "(");  // an empty name: empty output, the "(" stays
  EXPECT_EQ(Text("((a)"), "((a)");
}

TEST_F(ExpandTextTest, ClipboardTextIsNotExpandedAgain) {
  clipboard.text = "$y";
  EXPECT_EQ(Text("[$b]"), "[$y]");
  clipboard.text.reset();
  EXPECT_EQ(Text("[$b]"), "[]");
}

TEST_F(ExpandTextTest, InputWithoutPromptOpensNoDialog) {
  EXPECT_EQ(Text("a$i"), "a");
  EXPECT_EQ(Text("a$i()"), "a");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ExpandTextTest, InputAsksWithPromptAndEmptyText) {
  Answer(true, "太郎");
  EXPECT_EQ(Text("名前: $i(名前は？)です"), "名前: 太郎です");
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].dialog, "Input");
  EXPECT_EQ(prompter.asked[0].name, "#Input");
  EXPECT_EQ(prompter.asked[0].argument, "名前は？");
  EXPECT_EQ(prompter.asked[0].initial, "");
}

TEST_F(ExpandTextTest, InputConfirmedEmptyGoesAhead) {
  Answer(true, "");
  ExpandResult r = Run("<$i(a)>");
  EXPECT_TRUE(r.goAhead);
  EXPECT_EQ(r.text, "<>");
}

TEST_F(ExpandTextTest, EditOpensWithFixedPromptAndArgumentAsText) {
  Answer(true, "edited");
  EXPECT_EQ(Text("$e"), "edited");
  Answer(true, "x");
  EXPECT_EQ(Text("$e(初め)"), "x");
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[0].name, "#Edit");
  EXPECT_EQ(prompter.asked[0].argument, "編集後、OKボタンを押して下さい。");
  EXPECT_EQ(prompter.asked[0].initial, "");
  EXPECT_EQ(prompter.asked[1].initial, "初め");
}

TEST_F(ExpandTextTest, GroupsExpandInnermostFirst) {
  Answer(true, "b");
  Answer(true, "c");
  EXPECT_EQ(Text("$i($i(a))"), "c");
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[0].argument, "a");
  EXPECT_EQ(prompter.asked[1].argument, "b");
}

TEST_F(ExpandTextTest, ArgumentIsExpandedBeforeTheFunctionTakesIt) {
  Answer(true, "ok");
  Text("$i($y)");
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].argument, "99");
}

TEST_F(ExpandTextTest, EmptyGroupEndsTheGroupPass) {
  Answer(true, "x");
  Answer(true, "file.txt");
  EXPECT_EQ(Text("$i($y) $r()"), "x file.txt");
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[0].argument, "$y");  // not pre-expanded
  EXPECT_EQ(prompter.asked[1].dialog, "Filer");
  EXPECT_EQ(prompter.asked[1].argument, "*.*");
}

TEST_F(ExpandTextTest, NestedGroupsWithoutMetaCharactersAreKept) {
  EXPECT_EQ(Text("(a(b)c) (d)"), "(a(b)c) (d)");
}

TEST_F(ExpandTextTest, CancelledDialogCancelsAndOpensNoFurtherDialog) {
  Answer(false, "");
  ExpandResult r = Run("$i(a) $i(b)");
  EXPECT_FALSE(r.goAhead);
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_FALSE(bounded);
}

TEST_F(ExpandTextTest, CancelInsideGroupStopsAtOnce) {
  Answer(false, "");
  EXPECT_FALSE(Run("$i($i(a)) $l(x)").goAhead);
  EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(ExpandTextTest, AfterCancellationNoFileOrVariableIsRead) {
  fileSystem.files.files["a.txt"] = "A";
  Answer(false, "");
  EXPECT_FALSE(Run("$i(x)$f(a.txt)$r()$t(C:)").goAhead);
  EXPECT_EQ(fileSystem.files.reads, 0);
  EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(ExpandTextTest, FilerListAndTreePassArgumentsAndReturnChoice) {
  Answer(true, "C:\\a\\b.txt");
  EXPECT_EQ(Text("$r(*.txt)"), "C:\\a\\b.txt");
  Answer(true, "row 2");
  EXPECT_EQ(Text("$l(list.txt)"), "row 2");
  Answer(true, "C:\\x\\y");
  EXPECT_EQ(Text("$t(C:)"), "C:\\x\\y");
  ASSERT_EQ(prompter.asked.size(), 3u);
  EXPECT_EQ(prompter.asked[0].argument, "*.txt");
  EXPECT_EQ(prompter.asked[1].argument, "list.txt");
  EXPECT_EQ(prompter.asked[2].argument, "C:");
}

TEST_F(ExpandTextTest, CancelledPickerCancelsEvenWithASelection) {
  Answer(false, "row 1");
  EXPECT_FALSE(Run("$l(list.txt)").goAhead);
}

TEST_F(ExpandTextTest, FileDataReadsWholeFileDropsEofMarkAndStopsAtNul) {
  fileSystem.files.files["a.txt"] = "abc\x1A";
  fileSystem.files.files["b.txt"] = std::string("ab\0cd", 5);
  fileSystem.files.files["c.txt"] = "x\x1A\x1A";
  EXPECT_EQ(Text("[$f(a.txt)]"), "[abc]");
  EXPECT_EQ(Text("[$f(b.txt)]"), "[ab]");
  EXPECT_EQ(Text("[$f(c.txt)]"), "[x\x1A]");
}

TEST_F(ExpandTextTest, UnreadableFilesGiveEmptyTextAndGoAhead) {
  fileSystem.files.files["ro.txt"] = "secret";
  fileSystem.readOnly.insert("ro.txt");
  fileSystem.files.files["big.txt"] = std::string(kMaxFileDataBytes + 1, 'x');
  EXPECT_EQ(Text("[$f(missing.txt)][$f(ro.txt)][$f(big.txt)][$f()][$f]"), "[][][][][]");
}

TEST_F(ExpandTextTest, EnvironmentVariables) {
  environment.variables["HOME"] = "C:\\Users\\a";
  EXPECT_EQ(Text("$v(HOME)|$v(NONE)|$v()"), "C:\\Users\\a||");
}

TEST_F(ExpandTextTest, CurrentDirectory) {
  environment.currentDirectory = "C:\\work";
  EXPECT_EQ(Text("$c"), "C:\\work");
}

TEST_F(ExpandTextTest, GroupThatReproducesItselfIsBounded) {
  clipboard.text = "($b)";
  ExpandResult r = Run("X($b)");
  EXPECT_FALSE(r.goAhead);
  EXPECT_TRUE(bounded);
  EXPECT_EQ(r.text, "");
}

TEST_F(ExpandTextTest, LargeReproducingGroupIsBoundedByWork) {
  clipboard.text = std::string(2u << 20, 'z') + "($b)";
  EXPECT_FALSE(Run("X($b)").goAhead);
  EXPECT_TRUE(bounded);
}

TEST_F(ExpandTextTest, ManyOrdinaryGroupsExpandInFull) {
  std::string many;
  for (int i = 0; i < 1001; ++i) many += "f(x) ";
  EXPECT_EQ(Text(many), many);
  EXPECT_FALSE(bounded);
  std::string large(300u << 10, 'q');
  for (std::size_t i = 0; i < 900; ++i) large.replace(i * 300, 3, "(a)");
  EXPECT_EQ(Text(large), large);
  EXPECT_FALSE(bounded);
  EXPECT_EQ(Text("($y)(x)($m)"), "(99)(x)(04)");
}

// An enclosing group must not expand its inner groups again: each level
// would double the work of the one inside.
TEST_F(ExpandTextTest, DeepNestedGroupsExpandOnce) {
  const std::string nest = std::string(40, '(') + "a" + std::string(40, ')');
  EXPECT_EQ(Text(nest), nest);
  EXPECT_FALSE(bounded);
  const std::string dated = std::string(40, '(') + "$y" + std::string(40, ')');
  EXPECT_EQ(Text(dated), std::string(40, '(') + "99" + std::string(40, ')'));
  EXPECT_EQ(Text("(\x01" "a\x02)"), "((a))");
}

// A clipboard text whose meta characters come back in every enclosing group
// doubles the function runs per level; the runs are bounded, not the bytes.
TEST_F(ExpandTextTest, FunctionRunsAreBounded) {
  struct CountingClipboard : fakes::FakeClipboard {
    std::optional<std::string> GetText() override {
      // Past the bound an empty text ends the growth, so that the test
      // ends too when the engine does not stop.
      return ++reads > kMaxFunctionRuns ? std::string() : FakeClipboard::GetText();
    }
    long reads = 0;
  } counting;
  counting.text = "B$B$BB$";
  ExpandServices s{meta, clock, counting, environment, fileSystem, prompter, {}};
  const std::string clip =
      "(\x01(\x01\x01\x01-\x01-\x02$B\xff\xff\x02\xe8$B$B)B\x02" "C\x02\x02$B\xff\xff\x02\xe8$B$B)$B";
  EXPECT_FALSE(ExpandText(clip, s, &bounded).goAhead);
  EXPECT_TRUE(bounded);
  EXPECT_LE(counting.reads, kMaxFunctionRuns);
}

TEST_F(ExpandTextTest, ExpandedTextIsBounded) {
  clipboard.text = std::string(kMaxExpandedBytes / 2 + 1, 'z');
  EXPECT_FALSE(Run("$b$b").goAhead);
  EXPECT_TRUE(bounded);
  EXPECT_TRUE(Run("$b").goAhead);
}

TEST_F(ExpandTextTest, StaticExpanderPlaysFaultSoundAtBound) {
  fakes::FakeMessageBoxes messages;
  StaticExpander expander(Services(), messages);
  clipboard.text = "($b)";
  EXPECT_FALSE(expander.Expand("X($b)").goAhead);
  EXPECT_EQ(messages.faultSounds, 1);
  Answer(false, "");
  EXPECT_FALSE(expander.Expand("$i(a)").goAhead);
  EXPECT_EQ(messages.faultSounds, 1);
  EXPECT_EQ(expander.Expand("$y").text, "99");
}

TEST(ParseArgumentTest, Forms) {
  EXPECT_EQ(ParseArgument("$i(a(b)c)d", 2).argument, "a(b)c");
  EXPECT_EQ(ParseArgument("$i(a(b)c)d", 2).cursor, 9u);
  EXPECT_EQ(ParseArgument("$ix", 2).cursor, 2u);
  EXPECT_EQ(ParseArgument("$i", 2).cursor, 2u);
  EXPECT_EQ(ParseArgument("$i(a(b)", 2).argument, "");
  EXPECT_EQ(ParseArgument("$i(a(b)", 2).cursor, 2u);
  EXPECT_EQ(ParseArgument("$i()", 2).cursor, 4u);
}

TEST(LookupMetaTest, RowsAndFunctions) {
  MetaList meta;
  meta.Assign(DefaultMetaList());
  EXPECT_EQ(LookupMeta(meta, 'T')->function, kFuncTree);
  EXPECT_EQ(LookupMeta(meta, 'x')->function, -1);
  EXPECT_EQ(LookupMeta(meta, 'x')->row, 16);
  EXPECT_FALSE(LookupMeta(meta, 'q'));
  // The second character of "ソq" is q; its second byte is a backslash.
  meta.Assign({{"ソq", "one"}, {"$表", "two"}});
  EXPECT_EQ(LookupMeta(meta, 'Q')->row, 0);
  EXPECT_FALSE(LookupMeta(meta, '\\'));
  EXPECT_EQ(FuncList()[kFuncClipBoard].name, "$ClipBoard");
  EXPECT_EQ(FindFunction("#FILEDATA"), kFuncFileData);
  EXPECT_FALSE(FindFunction("#File"));
}

}  // namespace
}  // namespace ambrel::expand
