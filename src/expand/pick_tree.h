// The model behind the tree picker: nodes in file or disk order, built from
// a tab-indented tree file or from a folder scan, and the path of a node.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace ambrel::expand {

// Image indexes of the pickers' image lists.
enum PickImage : int { kImageClosedFolder = 0, kImageOpenFolder = 1, kImageLeaf = 2 };

inline constexpr int kNoNode = -1;

struct PickNode {
  std::string text;
  int parent = kNoNode;
  int image = kImageLeaf;
  std::vector<int> children;
};

class PickTree {
 public:
  void Clear() { nodes_.clear(); tops_.clear(); }
  // Adds a node as the last child of parent (kNoNode: the top level).
  int Add(int parent, std::string text, int image);
  const PickNode& Node(int index) const { return nodes_[static_cast<std::size_t>(index)]; }
  PickNode& Node(int index) { return nodes_[static_cast<std::size_t>(index)]; }
  int Count() const { return static_cast<int>(nodes_.size()); }
  bool Empty() const { return nodes_.empty(); }
  const std::vector<int>& Tops() const { return tops_; }

 private:
  std::vector<PickNode> nodes_;
  std::vector<int> tops_;
};

// Called before each line or after each folder entry of a long load, so the
// program can process its pending messages.
class WorkStep {
 public:
  virtual ~WorkStep() = default;
  virtual void Step() = 0;
};

// Builds nodes from the lines of a tree file: a line's level is its number
// of leading tabs, its text the rest. The first line is always a top node;
// a line deeper than one level below its predecessor becomes its child.
// Works without recursion, so any indentation is safe.
void BuildTree(PickTree& tree, const std::vector<std::string>& lines, WorkStep& step);

// The texts of the node's ancestors from the top down and its own, joined
// by "\".
std::string NodePath(const PickTree& tree, int node);

// path without one trailing "\" (a whole character, never the second byte
// of a double-byte one such as 表).
std::string_view WithoutTrailingBackslash(std::string_view path);

// Whether argument names a folder: no wildcard; one trailing "\" ignored;
// "X:" is a drive without asking the disk.
bool IsFolder(std::string_view argument, FileSystem& fileSystem);

// ANSI file functions take paths below this length; a deeper folder is not
// entered, which also ends a loop of junctions.
inline constexpr std::size_t kMaxScanPath = 260;

// Job 0: a top node holding path, then every folder below it depth first in
// the order the disk lists them, leaving out hidden and system folders and
// those whose names begin with ".". Always succeeds.
bool ScanFolders(PickTree& tree, std::string_view path, FileSystem& fileSystem, WorkStep& step);

}  // namespace ambrel::expand
