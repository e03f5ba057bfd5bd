#include "editor/editor_layout.h"

#include <algorithm>

namespace ambrel::editor {

int DraggedTreeExtent(int tree, int rest, int d, int restFloor) {
  const int wanted = tree + d;
  if (wanted > kSmallestPart && rest - d > restFloor + kSmallestPart) return wanted;
  return tree;
}

int TreeExtentForStyle(options::Settings& settings, bool vertical, bool wasVertical, Relayout why,
                       Box currentTree, Box centerPanel) {
  if (why == Relayout::kResize && vertical == wasVertical)
    return vertical ? options::ClampTreeExtent(settings.TreeW(), centerPanel.Width())
                    : options::ClampTreeExtent(settings.TreeH(), centerPanel.Height());
  if (vertical != wasVertical) {
    if (vertical) settings.SetTreeH(currentTree.Height());
    else settings.SetTreeW(currentTree.Width());
  }
  return vertical ? settings.GetTreeWidth(centerPanel.Width())
                  : settings.GetTreeHeight(centerPanel.Height());
}

EditorLayout ComputeEditorLayout(Box client, int statusBarHeight, bool vertical, int treeExtent,
                                 const LayoutMetrics& metrics) {
  EditorLayout out;
  out.centerPanel = client;
  out.centerPanel.bottom = std::max(client.top, client.bottom - statusBarHeight);
  Box inner{out.centerPanel.left + metrics.border, out.centerPanel.top + metrics.border,
            out.centerPanel.right - metrics.border, out.centerPanel.bottom - metrics.border};
  inner.right = std::max(inner.left, inner.right);
  inner.bottom = std::max(inner.top, inner.bottom);
  out.inside = inner;
  if (vertical) {
    const int treeRight = std::min(inner.left + std::max(treeExtent, 0), inner.right);
    const int sepRight = std::min(treeRight + metrics.vertSeparator, inner.right);
    out.tree = {inner.left, inner.top, treeRight, inner.bottom};
    out.separator = {treeRight, inner.top, sepRight, inner.bottom};
    out.pages = {sepRight, inner.top, inner.right, inner.bottom};
  } else {
    const int treeBottom = std::min(inner.top + std::max(treeExtent, 0), inner.bottom);
    const int sepBottom = std::min(treeBottom + metrics.hrzSeparator, inner.bottom);
    out.tree = {inner.left, inner.top, inner.right, treeBottom};
    out.separator = {inner.left, treeBottom, inner.right, sepBottom};
    out.pages = {inner.left, sepBottom, inner.right, inner.bottom};
  }
  return out;
}

}  // namespace ambrel::editor
