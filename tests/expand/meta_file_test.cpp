#include "expand/meta_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fakes.h"
#include "help_contexts.h"

namespace ambrel::expand {
namespace {

const std::string kPath = "C:\\Ambrel\\Ambrel.mta";

// The seventeen default rows as the table lists them.
const std::vector<MetaRow> kDefaults = {
    {"$y", "$Year"},     {"$m", "$Month"},    {"$d", "$Date"},    {"$h", "$Hour"},
    {"$n", "$Minute"},   {"$s", "$Second"},   {"$c", "$CrntDir"}, {"$b", "$ClipBoard"},
    {"$$", "$MetaChar"}, {"$f", "#FileData"}, {"$v", "#Env"},     {"$i", "#Input"},
    {"$e", "#Edit"},     {"$r", "#Filer"},    {"$l", "#List"},    {"$t", "#Tree"},
    {"$x", "こんにちは"},
};

std::string Z(const std::string& s) { return s + std::string(1, '\0'); }

class MetaFileTest : public ::testing::Test {
 protected:
  MetaList list;
  fakes::FakeFiles files;
  fakes::FakeMessageBoxes messages;
  fakes::FakeClock clock;
  DataFileSaver saver{files, messages, clock, kPath, kMetaSaveFailed};
};

TEST_F(MetaFileTest, NothingToReadGivesTheDefaultRows) {
  const std::vector<std::string> contents = {"", std::string(1, '\0'), std::string(3, '\0')};
  for (const std::string& content : contents) {
    files.files[kPath] = content;
    list.Append("$q", "stale");
    LoadMetaFile(list, files, kPath);
    EXPECT_EQ(list.Rows(), kDefaults) << content.size() << " bytes";
  }
  files.files.clear();
  LoadMetaFile(list, files, kPath);
  EXPECT_EQ(list.Rows(), kDefaults);
  files.files[kPath] = Z("$a") + Z("b");
  files.unreadable.insert(kPath);
  LoadMetaFile(list, files, kPath);
  EXPECT_EQ(list.Rows(), kDefaults);
  files.unreadable.clear();
  files.files[kPath] = Z("$a") + Z("b") + std::string(kMaxMetaFileBytes, 'x');
  LoadMetaFile(list, files, kPath);
  EXPECT_EQ(list.Rows(), kDefaults);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MetaFileTest, DefaultListIsWrittenByteForByte) {
  list.Assign(DefaultMetaList());
  ASSERT_TRUE(SaveMetaFile(list, saver, SaveMoment::kExit));
  std::string expected;
  for (const MetaRow& row : kDefaults) expected += Z(row.caption) + Z(row.data);
  expected += std::string(1, '\0');
  EXPECT_EQ(files.Get(kPath).value(), expected);
}

TEST_F(MetaFileTest, RowsRoundTripInTheirOrder) {
  list.Append("$z", "line 1\r\nline 2");
  list.Append("$x", "こんにちは");
  list.Append("$X", "second $x, never reached");
  list.Append("$f", "#FileData");
  ASSERT_TRUE(SaveMetaFile(list, saver, SaveMoment::kExit));
  MetaList loaded;
  LoadMetaFile(loaded, files, kPath);
  EXPECT_EQ(loaded.Rows(), list.Rows());
}

TEST_F(MetaFileTest, EmptyListIsOneZeroByte) {
  ASSERT_TRUE(SaveMetaFile(list, saver, SaveMoment::kExit));
  EXPECT_EQ(files.Get(kPath).value(), std::string(1, '\0'));
}

TEST_F(MetaFileTest, LastEntryWithoutItsZeroBytesIsStillRead) {
  files.files[kPath] = Z("$a") + Z("one") + Z("$b") + "two";
  LoadMetaFile(list, files, kPath);
  EXPECT_EQ(list.Rows(), (std::vector<MetaRow>{{"$a", "one"}, {"$b", "two"}}));
  files.files[kPath] = Z("$a") + Z("one") + "$b";
  LoadMetaFile(list, files, kPath);
  EXPECT_EQ(list.Rows(), (std::vector<MetaRow>{{"$a", "one"}, {"$b", ""}}));
  // Rows after the empty caption that ends the list are not read.
  files.files[kPath] = Z("$a") + Z("one") + Z("") + Z("$c") + Z("three");
  LoadMetaFile(list, files, kPath);
  EXPECT_EQ(list.Rows(), (std::vector<MetaRow>{{"$a", "one"}}));
}

TEST_F(MetaFileTest, HugeRowCountsStopAtTheLimit) {
  std::string block;
  for (std::size_t i = 0; i < kMaxMetaRows + 5; ++i) block += Z("$a") + Z("");
  std::vector<MetaRow> rows;
  EXPECT_FALSE(ParseMetaData(block, rows)) << "more rows were to come";
  EXPECT_EQ(rows.size(), kMaxMetaRows);
}

TEST_F(MetaFileTest, RowsThatCannotBeStoredAreNotLetToCutTheFile) {
  const std::vector<MetaRow> rows = {{"$a", std::string("x\0y", 3)}, {"", "lost"}, {"$b", "kept"}};
  EXPECT_EQ(BuildMetaData(rows), Z("$a") + Z("x") + Z("$b") + Z("kept") + std::string(1, '\0'));
}

TEST_F(MetaFileTest, FailedSaveReportsAndKeepsThePreviousFile) {
  files.files[kPath] = Z("$a") + Z("old") + std::string(1, '\0');
  list.Append("$a", "new");
  files.failingPaths.insert(kPath);
  EXPECT_FALSE(SaveMetaFile(list, saver, SaveMoment::kExit));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("静的変数リストが保存出来ませんでした\r\n" + kPath + "\r\n", 0), 0u);
  EXPECT_EQ(messages.shown[0].helpContext, kHelpStaticVariablesNotSaved);
  EXPECT_EQ(messages.faultSounds, 1);
  EXPECT_EQ(files.Get(kPath).value(), Z("$a") + Z("old") + std::string(1, '\0'));
}

// The writer refuses what the loader would not read back, with the error
// box, and keeps the old file.
TEST_F(MetaFileTest, TableOverTheLoadersLimitsIsNotWritten) {
  const std::string old = Z("$a") + Z("old") + std::string(1, '\0');
  std::vector<MetaRow> many(kMaxMetaRows, MetaRow{"$a", ""});
  list.Assign(many);
  files.files[kPath] = old;
  ASSERT_TRUE(SaveMetaFile(list, saver, SaveMoment::kExit)) << "exactly at the row limit";
  MetaList loaded;
  EXPECT_EQ(LoadMetaFile(loaded, files, kPath), MetaFileRead::kRead);
  EXPECT_EQ(loaded.Count(), static_cast<int>(kMaxMetaRows));

  files.files[kPath] = old;
  many.push_back({"$b", "one too many"});
  list.Assign(std::move(many));
  EXPECT_FALSE(SaveMetaFile(list, saver, SaveMoment::kExit));
  list.Assign({{"$a", std::string(kMaxMetaFileBytes, 'x')}});
  EXPECT_FALSE(SaveMetaFile(list, saver, SaveMoment::kExit)) << "over the size limit";
  EXPECT_EQ(files.Get(kPath), old);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].helpContext, kHelpStaticVariablesNotSaved);
  EXPECT_NE(messages.shown[1].text.find("大きすぎて"), std::string::npos);
}

TEST_F(MetaFileTest, DamagedFileAtStartIsKeptAsideAndNamed) {
  const std::string kept = kPath + ".damaged-20240102-030405";
  files.files[kPath] = Z("$a") + Z("x");
  files.oversized.insert(kPath);
  InitMeta(list, files, messages, saver);
  EXPECT_EQ(list.Rows(), kDefaults);
  EXPECT_EQ(files.Get(kept), Z("$a") + Z("x"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(kept), std::string::npos);
  EXPECT_FALSE(saver.Blocked());

  std::string rows;
  for (std::size_t i = 0; i <= kMaxMetaRows; ++i) rows += Z("$a") + Z("");
  files.files[kPath] = rows;
  EXPECT_EQ(LoadMetaFile(list, files, kPath), MetaFileRead::kDamaged) << "over the row limit";
}

TEST_F(MetaFileTest, FileThatCannotBeReadOrMovedIsNeverWrittenOver) {
  const std::string mine = Z("$a") + Z("mine") + std::string(1, '\0');
  files.files[kPath] = mine;
  files.unreadable.insert(kPath);
  InitMeta(list, files, messages, saver);
  EXPECT_EQ(list.Rows(), kDefaults);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].helpContext, kHelpDataFileUnreadable);
  ASSERT_TRUE(SaveMetaFile(list, saver, SaveMoment::kExit));
  EXPECT_EQ(files.Get(kPath), mine);
  EXPECT_TRUE(files.Exists(kPath + ".unsaved-20240102-030405"));

  // Damaged, and held so that it cannot be moved aside: left alone as well.
  fakes::FakeFiles other;
  DataFileSaver otherSaver{other, messages, clock, kPath, kMetaSaveFailed};
  other.files[kPath] = "x";
  other.oversized.insert(kPath);
  other.unmovable.insert(kPath);
  InitMeta(list, other, messages, otherSaver);
  EXPECT_TRUE(otherSaver.Blocked());
  EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(MetaFileTest, InitMetaLoadsTheFile) {
  files.files[kPath] = Z("$q") + Z("#Input") + std::string(1, '\0');
  InitMeta(list, files, messages, saver);
  EXPECT_EQ(list.Rows(), (std::vector<MetaRow>{{"$q", "#Input"}}));
  EXPECT_TRUE(list.MetaExpand());
}

class MetaListMoveTest : public ::testing::Test {
 protected:
  MetaListMoveTest() {
    for (const char* c : {"$a", "$b", "$c", "$d"}) list.Append(c, "");
  }
  std::string Order() const {
    std::string out;
    for (const MetaRow& r : list.Rows()) out += r.caption.substr(1);
    return out;
  }
  MetaList list;
};

TEST_F(MetaListMoveTest, DraggedRowLandsAfterALowerTargetAndBeforeAnUpperOne) {
  EXPECT_EQ(list.Move(0, 2), 2);
  EXPECT_EQ(Order(), "bcad");
  EXPECT_EQ(list.Move(3, 0), 0);
  EXPECT_EQ(Order(), "dbca");
  EXPECT_EQ(list.Move(1, -1), 3);  // below the last row
  EXPECT_EQ(Order(), "dcab");
  EXPECT_EQ(list.Move(2, 2), 2);  // onto itself
  EXPECT_EQ(Order(), "dcab");
  EXPECT_EQ(list.Move(7, 0), -1);
}

TEST_F(MetaListMoveTest, UpdateKeepsThePlaceAndDeleteRemovesTheRow) {
  list.Update(1, "$B", "data");
  EXPECT_EQ(list.Row(1), (MetaRow{"$B", "data"}));
  list.Delete(0);
  list.Delete(9);
  EXPECT_EQ(Order(), "Bcd");
}

}  // namespace
}  // namespace ambrel::expand
