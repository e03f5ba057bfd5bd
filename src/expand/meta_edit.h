// Adding, updating and deleting static variables through the editor dialog,
// and the rules that dialog and the list window follow. The dialog itself
// is reached through MetaEditView so that these rules run without a desktop.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "expand/meta_list.h"

namespace ambrel::expand {

enum class MetaEditMode : int { kUpdate = 0, kAdd = 1, kDelete = 2 };

// The dialog's caption in each mode.
std::string_view MetaEditCaption(MetaEditMode mode);

// The dialog: shown with the character (empty for none) and the data; on
// OK, key and data hold what the user left in the fields.
class MetaEditView {
 public:
  virtual ~MetaEditView() = default;
  virtual bool RunMetaEdit(MetaEditMode mode, std::string& key, std::string& data) = 0;
};

// Each returns the row to select afterwards, or -1 when nothing changed.
// A new row goes at the end, even when its character is there already.
int AddMeta(MetaList& list, MetaEditView& view);
int UpdateMeta(MetaList& list, MetaEditView& view, int row);
int DeleteMeta(MetaList& list, MetaEditView& view, int row);

// The character of a row's caption ("$" + character), a double-byte one
// whole; empty when missing.
std::string MetaKeyOf(std::string_view caption);

// What keeps the dialog open when OK is pressed, or nullopt to close it.
struct MetaEditProblem {
  const char* message;
  int helpContext;
};
std::optional<MetaEditProblem> CheckMetaEdit(std::string_view key, std::string_view data);

// The width of a list's second column so that both columns fill it: the
// list's width less the first column and 4, less the scroll bar when the
// rows do not fit the height.
int FitSecondColumn(int listWidth, int listHeight, int firstWidth, int rows, int fontHeight,
                    int scrollBarWidth);

// Where the editor dialog stands at the top of the list window: on its left
// when the editor window lies further left than the list window, else on its right.
int MetaEditLeft(int editorLeft, int listLeft, int listWidth, int ownWidth);

}  // namespace ambrel::expand
