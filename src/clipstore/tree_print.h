// The lines that printing a tree writes (the clip tree, and the tree picker's
// tree): each node indented by three ideographic spaces per level (roots one
// step in), then its caption.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ambrel::clipstore {
class TreeNode;
}

namespace ambrel::clipstore {

// One node's line: "　　　" repeated level + 1 times (level 0: a root), then text.
std::string TreePrintLine(int level, std::string_view text);

// From `start` and its descendants, or the whole tree when start is null.
// `root` is the store's invisible top node.
std::vector<std::string> TreePrintLines(const TreeNode& root,
                                        const TreeNode* start);

}  // namespace ambrel::clipstore
