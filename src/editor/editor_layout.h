// Where the editor window puts its tree, separator, pages and tool bar, and
// how the separators and the layout style change the tree's size. Lengths
// are pixels; the window scales the designed ones to its DPI before asking.
#pragma once

#include "options/settings.h"

namespace ambrel::editor {

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Box&) const = default;
};

// Neither the tree nor the pages get 50 pixels or fewer by a drag.
inline constexpr int kSmallestPart = 50;

// The tree's extent across the separator (its width beside the pages, its
// height above them) after the pointer moved d pixels from where the drag
// began. `rest` is the pages' extent the same way and `restFloor` what the
// pages need beyond the 50 pixels (the tool bar above the text). A move that
// would leave either part too small keeps the tree as it is.
int DraggedTreeExtent(int tree, int rest, int d, int restFloor);

// Why the editor lays its parts out again.
enum class Relayout {
  kResize,        // the window changed size: the stored sizes stay as they are
  kStyleApplied,  // the layout style was set (menu, properties, parameter file)
};

// The tree's extent when the layout style becomes `vertical` (true: tree
// left of the pages, false: tree above them) while `wasVertical` is applied.
// Switching styles first keeps the tree's current size as the stored size
// of the style it leaves; either way the stored size of the new style,
// clamped to the centre panel, is the answer. Only a style applied stores
// the clamped size back: a window shrunk for a moment and grown again gets
// its tree back as it was.
int TreeExtentForStyle(options::Settings& settings, bool vertical, bool wasVertical, Relayout why,
                       Box currentTree, Box centerPanel);

// Lengths of the layout: the defaults are the designed ones at 96 DPI,
// which the window scales to its DPI.
struct LayoutMetrics {
  int border = 8;           // the centre panel's border
  int vertSeparator = 6;    // between the tree and the pages, side by side
  int hrzSeparator = 7;     // between the tree and the pages, one above the other
};

struct EditorLayout {
  Box centerPanel;
  Box inside;  // the centre panel within its border: what the tree and the pages share
  Box tree;
  Box separator;
  Box pages;
};

// The client area less the status bar at its bottom holds the centre
// panel; inside its border the tree, the visible separator and the pages.
EditorLayout ComputeEditorLayout(Box client, int statusBarHeight, bool vertical, int treeExtent,
                                 const LayoutMetrics& metrics);

}  // namespace ambrel::editor
