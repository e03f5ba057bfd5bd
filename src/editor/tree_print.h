// The lines that printing the clip tree writes: each node indented by three
// ideographic spaces per level (roots one step in), then its caption.
#pragma once

#include <string>
#include <vector>

namespace ambrel::clipstore {
class TreeNode;
}

namespace ambrel::editor {

// From `start` and its descendants, or the whole tree when start is null.
// `root` is the store's invisible top node.
std::vector<std::string> TreePrintLines(const clipstore::TreeNode& root,
                                        const clipstore::TreeNode* start);

}  // namespace ambrel::editor
