#include "clipstore/tree_print.h"

#include "clipstore/tree_node.h"

namespace ambrel::clipstore {

std::string TreePrintLine(int level, std::string_view text) {
  std::string line;
  for (int i = 0; i <= level; ++i) line += "　　　";
  line += text;
  return line;
}

namespace {

void AddLines(const TreeNode& node, int level, std::vector<std::string>& lines) {
  lines.push_back(TreePrintLine(level, node.text));
  for (int i = 0; i < node.Count(); ++i) AddLines(*node.Child(i), level + 1, lines);
}

int LevelOf(const TreeNode& node) {
  int level = -1;
  for (const TreeNode* n = &node; n->parent; n = n->parent) ++level;
  return level;
}

}  // namespace

std::vector<std::string> TreePrintLines(const TreeNode& root,
                                        const TreeNode* start) {
  std::vector<std::string> lines;
  if (start) {
    AddLines(*start, LevelOf(*start), lines);
  } else {
    for (int i = 0; i < root.Count(); ++i) AddLines(*root.Child(i), 0, lines);
  }
  return lines;
}

}  // namespace ambrel::clipstore
