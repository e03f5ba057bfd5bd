#include "expand/pick_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expand/expand_fakes.h"
#include "expand/work_jobs.h"

namespace ambrel::expand {
namespace {

// The tree as indented "text:image" lines, for comparing shapes.
std::string Shape(const PickTree& tree) {
  std::string out;
  auto walk = [&](auto& self, int node, int depth) -> void {
    out += std::string(static_cast<std::size_t>(depth), ' ') + tree.Node(node).text + ":" +
           std::to_string(tree.Node(node).image) + "\n";
    for (int child : tree.Node(node).children) self(self, child, depth + 1);
  };
  for (int top : tree.Tops()) walk(walk, top, 0);
  return out;
}

std::string Build(const std::vector<std::string>& lines) {
  PickTree tree;
  fakes::FakeWorkHost step;
  BuildTree(tree, lines, step);
  EXPECT_EQ(step.steps, static_cast<int>(lines.size()));
  return Shape(tree);
}

TEST(BuildTreeTest, LevelsByLeadingTabs) {
  EXPECT_EQ(Build({"a", "\tb", "\t\tc", "\td", "e"}), "a:0\n b:0\n  c:2\n d:2\ne:2\n");
}

TEST(BuildTreeTest, IndentedFirstLineIsStillATopNode) {
  EXPECT_EQ(Build({"\t\ta", "b", "\tc"}), "a:2\nb:0\n c:2\n");
}

TEST(BuildTreeTest, LineTwoLevelsDeeperBecomesChildOfPredecessor) {
  EXPECT_EQ(Build({"a", "\t\tb", "\tc", "\t\td"}), "a:0\n b:2\n c:0\n  d:2\n");
}

TEST(BuildTreeTest, ShallowerLineAfterDeepJumpJoinsTheSameParent) {
  // Level 5 under a, then level 3: both become children of a.
  EXPECT_EQ(Build({"a", "\t\t\t\t\tb", "\t\t\tc", "\t\t\t\td"}), "a:0\n b:2\n c:0\n  d:2\n");
}

TEST(BuildTreeTest, EmptyLinesAndEmptyFile) {
  EXPECT_EQ(Build({}), "");
  EXPECT_EQ(Build({"", "\t", "x"}), ":0\n :2\nx:2\n");
}

TEST(BuildTreeTest, VeryDeepIndentationNeedsNoRecursion) {
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) lines.push_back(std::string(static_cast<std::size_t>(i), '\t') + "n");
  lines.push_back("top");
  PickTree tree;
  fakes::FakeWorkHost step;
  BuildTree(tree, lines, step);
  ASSERT_EQ(tree.Count(), 3001);
  EXPECT_EQ(tree.Tops().size(), 2u);
  EXPECT_EQ(tree.Node(2999).parent, 2998);
}

TEST(NodePathTest, JoinsAncestorsWithBackslash) {
  PickTree tree;
  const int top = tree.Add(kNoNode, "C:", kImageClosedFolder);
  const int a = tree.Add(top, "a", kImageClosedFolder);
  const int b = tree.Add(a, "b", kImageLeaf);
  EXPECT_EQ(NodePath(tree, b), "C:\\a\\b");
  EXPECT_EQ(NodePath(tree, top), "C:");
}

TEST(IsFolderTest, WildcardsDrivesAndDisk) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("C:\\data", "sub");
  EXPECT_FALSE(IsFolder("C:\\data\\*.txt", fs));
  EXPECT_FALSE(IsFolder("C:\\da?a", fs));
  EXPECT_EQ(fs.directoryQueries, 0);
  EXPECT_TRUE(IsFolder("Q:", fs));
  EXPECT_TRUE(IsFolder("Q:\\", fs));
  EXPECT_EQ(fs.directoryQueries, 0);
  EXPECT_TRUE(IsFolder("C:\\data", fs));
  EXPECT_TRUE(IsFolder("C:\\data\\", fs));
  EXPECT_TRUE(IsFolder("C:\\data\\sub", fs));
  EXPECT_FALSE(IsFolder("C:\\data\\tree.txt", fs));
  EXPECT_FALSE(IsFolder("", fs));
}

class ScanFoldersTest : public ::testing::Test {
 protected:
  fakes::FakeFileSystem fs;
  fakes::FakeWorkHost step;
  PickTree tree;
};

TEST_F(ScanFoldersTest, DepthFirstInDiskOrderWithoutHiddenSystemOrDotFolders) {
  fs.AddFolder("C:", "b");
  fs.AddFolder("C:", ".git");
  fs.AddFolder("C:", "hid", true);
  fs.AddFolder("C:", "sys", false, true);
  fs.AddFolder("C:", "a");
  fs.folders["C:"].push_back({"file.txt", false, false, false});
  fs.AddFolder("C:\\b", "b1");
  fs.AddFolder("C:\\b\\b1", "b2");
  EXPECT_TRUE(ScanFolders(tree, "C:", fs, step));
  EXPECT_EQ(Shape(tree), "C::0\n b:0\n  b1:0\n   b2:2\n a:2\n");
  EXPECT_EQ(NodePath(tree, 3), "C:\\b\\b1\\b2");
  EXPECT_EQ(step.steps, 8);  // one per entry listed
}

TEST_F(ScanFoldersTest, MissingDriveGivesOnlyTheTopNode) {
  EXPECT_TRUE(ScanFolders(tree, "Z:", fs, step));
  EXPECT_EQ(Shape(tree), "Z::2\n");
}

TEST_F(ScanFoldersTest, FoldersBeyondThePathLimitAreNotEntered) {
  // A folder that lists itself (a junction loop) ends at the path limit.
  std::string path = "C:";
  fs.folders["C:"] = {{"loop", true, false, false}};
  for (int i = 0; i < 200; ++i) {
    path += "\\loop";
    fs.folders[path] = {{"loop", true, false, false}};
  }
  EXPECT_TRUE(ScanFolders(tree, "C:", fs, step));
  EXPECT_LT(tree.Count(), 60);
  EXPECT_LT(NodePath(tree, tree.Count() - 1).size(), kMaxScanPath);
}

TEST_F(ScanFoldersTest, NamesEndingInABackslashSecondByte) {
  // 表 (0x95 0x5C) and ソ (0x83 0x5C) end in the byte of "\".
  fs.AddFolder("C:", "予定表");
  fs.AddFolder("C:\\予定表", "ソ");
  EXPECT_TRUE(IsFolder("C:\\予定表", fs));
  EXPECT_TRUE(IsFolder("C:\\予定表\\", fs));
  EXPECT_TRUE(IsFolder("C:\\予定表\\ソ", fs));
  EXPECT_EQ(WithoutTrailingBackslash("C:\\予定表"), "C:\\予定表");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\予定表\\"), "C:\\予定表");
  EXPECT_TRUE(ScanFolders(tree, WithoutTrailingBackslash("C:\\予定表\\"), fs, step));
  EXPECT_EQ(NodePath(tree, 1), "C:\\予定表\\ソ");
}

TEST(SplitLinesTest, LineEnds) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("\r\n"), (std::vector<std::string>{""}));
}

class WorkJobsTest : public ::testing::Test {
 protected:
  fakes::FakeFileSystem fs;
  fakes::FakeWorkHost host;
  PickTree tree;
  std::vector<std::string> rows;
  WorkTargets targets{fs.files, fs, &tree, &rows};
};

TEST_F(WorkJobsTest, ListFileRowsIncludeEmptyLines) {
  fs.files.files["list.txt"] = "one\r\n\r\nthree\r\n";
  EXPECT_TRUE(RunWork("list.txt", 2000, 2, targets, host));
  EXPECT_EQ(rows, (std::vector<std::string>{"one", "", "three"}));
  EXPECT_EQ(host.begins, 1);
  EXPECT_EQ(host.ends, 1);
  EXPECT_EQ(host.delay, 2000);
  EXPECT_EQ(host.steps, 3);
}

TEST_F(WorkJobsTest, UnreadableFilesFailTheJob) {
  fs.files.files["bad.txt"] = "x";
  fs.files.unreadable.insert("bad.txt");
  fs.files.files["huge.txt"] = std::string(kMaxPickFileBytes + 1, 'x');
  EXPECT_FALSE(RunWork("missing.txt", 1000, 2, targets, host));
  EXPECT_FALSE(RunWork("bad.txt", 1000, 2, targets, host));
  EXPECT_FALSE(RunWork("huge.txt", 1000, 1, targets, host));
  EXPECT_FALSE(RunWork("", 1000, 1, targets, host));
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(host.ends, 4);
}

TEST_F(WorkJobsTest, TreeFileAndFolderScanAndOtherJobs) {
  fs.files.files["tree.txt"] = "a\r\n\tb\r\n";
  EXPECT_TRUE(RunWork("tree.txt", 1000, 1, targets, host));
  EXPECT_EQ(Shape(tree), "a:0\n b:2\n");
  fs.AddFolder("D:", "x");
  EXPECT_TRUE(RunWork("D:", 1000, 0, targets, host));
  EXPECT_EQ(Shape(tree), "D::0\n x:2\n");
  EXPECT_TRUE(RunWork("", 1000, 3, targets, host));
  EXPECT_EQ(host.paused, 1000 + kDemoExtraMs);
  EXPECT_TRUE(RunWork("", 1000, 42, targets, host));
}

}  // namespace
}  // namespace ambrel::expand
