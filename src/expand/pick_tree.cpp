#include "expand/pick_tree.h"

#include "platform/sjis.h"

namespace ambrel::expand {

int PickTree::Add(int parent, std::string text, int image) {
  const int index = Count();
  nodes_.push_back({std::move(text), parent, image, {}});
  if (parent == kNoNode) tops_.push_back(index);
  else Node(parent).children.push_back(index);
  return index;
}

namespace {

std::size_t Level(const std::string& line) {
  std::size_t level = 0;
  while (level < line.size() && line[level] == '\t') ++level;
  return level;
}

}  // namespace

void BuildTree(PickTree& tree, const std::vector<std::string>& lines, WorkStep& step) {
  // One frame per open level, as a recursive descent would keep them. A line
  // several levels deeper opens a single frame at its own level: the frames
  // in between would add nothing and hold the same node.
  struct Frame {
    int parent;
    long long depth;
    int last;
    std::size_t start;
  };
  std::vector<Frame> frames{{kNoNode, -1, kNoNode, 0}};
  std::size_t i = 0;
  auto leave = [&] {
    const Frame done = frames.back();
    frames.pop_back();
    if (i > done.start && done.parent != kNoNode) tree.Node(done.parent).image = kImageClosedFolder;
  };
  while (!frames.empty()) {
    if (i >= lines.size()) {
      leave();
      continue;
    }
    Frame& f = frames.back();
    const std::size_t level = Level(lines[i]);
    const long long lv = static_cast<long long>(level);
    if (lv == f.depth + 1 || f.last == kNoNode) {
      step.Step();
      f.last = tree.Add(f.parent, lines[i].substr(level), kImageLeaf);
      ++i;
    } else if (lv <= f.depth) {
      leave();
    } else {
      frames.push_back({f.last, lv - 1, f.last, i});
    }
  }
}

std::string NodePath(const PickTree& tree, int node) {
  std::vector<int> chain;
  for (int n = node; n != kNoNode; n = tree.Node(n).parent) chain.push_back(n);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (it != chain.rbegin()) path += '\\';
    path += tree.Node(*it).text;
  }
  return path;
}

namespace {

void ScanNode(PickTree& tree, int node, const std::string& path, FileSystem& fileSystem,
              WorkStep& step) {
  if (path.size() + 4 >= kMaxScanPath) return;
  // Children are gathered first and entered after the search ends, so only
  // one search handle is open at a time whatever the depth.
  std::vector<std::string> folders;
  fileSystem.List(path + "\\*.*", [&](const DirEntry& entry) {
    step.Step();
    if (!entry.directory || entry.hidden || entry.system) return;
    if (entry.name.empty() || entry.name[0] == '.') return;
    folders.push_back(entry.name);
  });
  for (std::string& name : folders) {
    const std::string childPath = path + '\\' + name;
    const int child = tree.Add(node, std::move(name), kImageClosedFolder);
    ScanNode(tree, child, childPath, fileSystem, step);
  }
  if (tree.Node(node).children.empty()) tree.Node(node).image = kImageLeaf;
}

}  // namespace

std::string_view WithoutTrailingBackslash(std::string_view path) {
  if (sjis::EndsWithChar(path, '\\')) path.remove_suffix(1);
  return path;
}

bool IsFolder(std::string_view argument, FileSystem& fileSystem) {
  if (argument.find_first_of("?*") != std::string_view::npos) return false;
  const std::string_view path = WithoutTrailingBackslash(argument);
  if (path.size() == 2 && path[1] == ':') return true;
  if (path.empty()) return false;
  return fileSystem.IsDirectory(path);
}

bool ScanFolders(PickTree& tree, std::string_view path, FileSystem& fileSystem, WorkStep& step) {
  tree.Clear();
  const int top = tree.Add(kNoNode, std::string(path), kImageClosedFolder);
  ScanNode(tree, top, std::string(path), fileSystem, step);
  return true;
}

}  // namespace ambrel::expand
